# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=kName -P embed.cmake
# Writes a C++ source holding INPUT's bytes as the constant SYMBOL declared in assets/assets.h.
file(READ ${INPUT} hex HEX)
file(SIZE ${INPUT} size)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
  "\\1\n" bytes "${bytes}")
get_filename_component(name ${INPUT} NAME)
file(WRITE ${OUTPUT}.tmp "// Generated from ${name} at build time; edit the asset sources instead.
#include \"assets/assets.h\"

namespace torvane {
namespace {
const std::uint8_t kData[${size}] = {
${bytes}};
}  // namespace

const ByteView ${SYMBOL}{kData, ${size}};

}  // namespace torvane
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
