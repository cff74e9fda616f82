#include "platform/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <new>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "overlay/picture_limits.h"

namespace torvane {
namespace {

// Working memory libjpeg may take (progressive files keep all coefficients); beyond it, decoding
// fails instead of spilling to disk.
constexpr long kMaxDecoderMemory = 512L << 20;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void failDecoding(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Some warnings are harmless (stray bytes between markers), but those about missing or corrupt
// scan data mean part of the picture would come out grey: they fail the decoding.
void onMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
      failDecoding(info);
    default:
      break;
  }
}

// Only plain locals live in this frame, so the longjmp out of libjpeg skips no destructor.
bool runDecompressor(ByteView file, RasterImage& image) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = failDecoding;
  errors.base.emit_message = onMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  if (!pictureSizeAllowed(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  // Four bytes blue, green, red, 0xFF are exactly a 0xFFRRGGBB pixel; greyscale converts too.
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);

  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  bool allocated = true;
  try {
    // Reserved, not filled: a short file claiming a huge picture fails before touching the memory.
    image.pixels.reserve(static_cast<std::size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    allocated = false;
  }
  if (!allocated) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  image.width = width;
  for (int y = 0; y < height; ++y) {
    image.pixels.resize(image.pixels.size() + width);
    JSAMPROW row = reinterpret_cast<JSAMPROW>(image.row(y));
    jpeg_read_scanlines(&info, &row, 1);
    image.height = y + 1;
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::optional<RasterImage> decodeJpeg(ByteView file) {
  if (file.empty()) return std::nullopt;
  RasterImage image;
  if (!runDecompressor(file, image)) return std::nullopt;
  return image;
}

}  // namespace torvane
