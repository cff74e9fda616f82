#pragma once

// Picture files made with the libraries' own encoders, for the decoder tests.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <gif_lib.h>
#include <jpeglib.h>

#include "app/bytes.h"

namespace torvane::test {

// A 64 x 16 JPEG made with libjpeg's compressor: with three components, flat stripes of red,
// green, blue and white, each 16 pixels wide (one subsampled colour block); with one component,
// grey levels 0x20 and 0xC0 in the left and right halves.
inline Bytes makeJpeg(int components, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 64;
  info.image_height = 16;
  info.input_components = components;
  info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const unsigned char stripes[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  std::vector<unsigned char> row(64 * components);
  for (int x = 0; x < 64; ++x) {
    for (int k = 0; k < components; ++k) {
      row[x * components + k] = components == 3 ? stripes[x / 16][k] : (x < 32 ? 0x20 : 0xC0);
    }
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

inline constexpr GifColorType kGifColours[4] = {
    {0, 0, 0}, {255, 0, 0}, {0, 128, 255}, {255, 255, 255}};
inline constexpr std::uint32_t kGifPixels[4] = {0xFF000000, 0xFFFF0000, 0xFF0080FF, 0xFFFFFFFF};

struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<std::vector<GifPixelType>> rows;  // top-down
};

struct GifSpec {
  bool gif89 = true;
  int screenWidth = 0;
  int screenHeight = 0;
  int background = 0;
  bool globalColours = true;
  int transparent = -1;
  std::vector<GifFrame> frames;
};

inline int appendToBytes(GifFileType* gif, const GifByteType* data, int count) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + count);
  return count;
}

// Writes the file with giflib's encoder; interlaced frames are handed over in pass order.
inline Bytes encodeGif(const GifSpec& spec) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, appendToBytes, &error);
  EGifSetGifVersion(gif, spec.gif89);
  ColorMapObject* colours = GifMakeMapObject(4, kGifColours);
  EGifPutScreenDesc(gif, spec.screenWidth, spec.screenHeight, 8, spec.background,
                    spec.globalColours ? colours : nullptr);
  for (const GifFrame& f : spec.frames) {
    if (spec.transparent >= 0) {
      GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, spec.transparent};
      GifByteType extension[4];
      EGifGCBToExtension(&control, extension);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced,
                     spec.globalColours ? nullptr : colours);
    std::vector<int> order;
    if (f.interlaced) {
      for (int start : {0, 4, 2, 1}) {
        for (int y = start; y < f.height; y += start == 0 ? 8 : start * 2) order.push_back(y);
      }
    } else {
      for (int y = 0; y < f.height; ++y) order.push_back(y);
    }
    for (int y : order) {
      std::vector<GifPixelType> row = f.rows[y];
      EGifPutLine(gif, row.data(), f.width);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(colours);
  return out;
}

}  // namespace torvane::test
