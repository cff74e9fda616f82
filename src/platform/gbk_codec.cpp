#include "platform/gbk_codec.h"

#include <iconv.h>

#include <cerrno>

namespace torvane {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";         // U+FFFD
constexpr std::string_view kGb18030Replacement = "\x84\x31\xA4\x37";  // U+FFFD

// Converts with iconv, putting replacement in place of each byte that does not decode and of an
// incomplete sequence at the end.
std::string convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};

  std::string out;
  char chunk[4096];
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  while (inLeft > 0) {
    char* outPtr = chunk;
    std::size_t outLeft = sizeof chunk;
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    out += replacement;
    if (errno != EILSEQ) break;
    ++inPtr;
    --inLeft;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string gbkToUtf8(std::string_view gbk) {
  return convert("UTF-8", "GB18030", gbk, kUtf8Replacement);
}

std::string utf8ToGbk(std::string_view utf8) {
  return convert("GB18030", "UTF-8", utf8, kGb18030Replacement);
}

}  // namespace torvane
