#include "platform/gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "overlay/picture_limits.h"

namespace torvane {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

struct MemoryReader {
  ByteView file;
  std::size_t position = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* out, int count) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const std::size_t left = reader->file.size() - reader->position;
  const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), left);
  if (n > 0) std::memcpy(out, reader->file.data() + reader->position, n);
  reader->position += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

std::uint32_t pixelOf(const GifColorType& c) {
  return kBlack | std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue;
}

// Skips one extension, noting the transparent index when it is a graphic control extension.
bool readExtension(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
    transparent = (block[1] & 1) ? block[4] : -1;
  }
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

std::optional<RasterImage> readFirstImage(GifFileType* gif, int transparent) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) return std::nullopt;
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!colours || !colours->Colors || !pictureSizeAllowed(frame.Width, frame.Height)) {
    return std::nullopt;
  }
  std::int64_t width = gif->SWidth;
  std::int64_t height = gif->SHeight;
  if (width < 1 || height < 1) {
    width = std::int64_t{frame.Left} + frame.Width;
    height = std::int64_t{frame.Top} + frame.Height;
  }
  if (!pictureSizeAllowed(width, height)) return std::nullopt;

  std::uint32_t background = kBlack;
  const ColorMapObject* screenColours = gif->SColorMap;
  if (screenColours && screenColours->Colors && gif->SBackGroundColor >= 0 &&
      gif->SBackGroundColor < screenColours->ColorCount) {
    background = pixelOf(screenColours->Colors[gif->SBackGroundColor]);
  }
  RasterImage image(static_cast<int>(width), static_cast<int>(height), background);
  std::vector<GifPixelType> line(frame.Width);

  // Interlaced images arrive in four passes over every 8th, 8th, 4th and 2nd row.
  constexpr int kPassStart[] = {0, 4, 2, 1};
  constexpr int kPassStep[] = {8, 8, 4, 2};
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int step = frame.Interlace ? kPassStep[pass] : 1;
    for (int row = frame.Interlace ? kPassStart[pass] : 0; row < frame.Height; row += step) {
      if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return std::nullopt;
      const std::int64_t y = std::int64_t{frame.Top} + row;
      if (y < 0 || y >= height) continue;
      std::uint32_t* out = image.row(static_cast<int>(y));
      for (int x = 0; x < frame.Width; ++x) {
        const int index = line[x];
        const std::int64_t column = std::int64_t{frame.Left} + x;
        if (index == transparent || index >= colours->ColorCount || column < 0 || column >= width) {
          continue;
        }
        out[column] = pixelOf(colours->Colors[index]);
      }
    }
  }
  return image;
}

}  // namespace

std::optional<RasterImage> decodeGif(ByteView file) {
  MemoryReader reader{file};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, readFromMemory, &error));
  if (!gif) return std::nullopt;
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return std::nullopt;
    switch (type) {
      case IMAGE_DESC_RECORD_TYPE:
        return readFirstImage(gif.get(), transparent);
      case EXTENSION_RECORD_TYPE:
        if (!readExtension(gif.get(), transparent)) return std::nullopt;
        break;
      default:
        return std::nullopt;
    }
  }
}

}  // namespace torvane
