#include "overlay/picture_decoder.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "overlay/bmp_file.h"
#include "platform/gif_decoder.h"
#include "platform/jpeg_decoder.h"

namespace torvane {
namespace {

struct Signature {
  std::string_view bytes;
  PictureKind kind;
};

constexpr std::array<Signature, 4> kSignatures = {{
    {"BM", PictureKind::kBmp},
    {"\xFF\xD8", PictureKind::kJpeg},
    {"GIF87a", PictureKind::kGif},
    {"GIF89a", PictureKind::kGif},
}};

constexpr std::size_t kMinimumLength = 6;

}  // namespace

PictureKind recognisePicture(ByteView file) {
  if (file.size() < kMinimumLength) return PictureKind::kNone;
  for (const Signature& s : kSignatures) {
    if (std::equal(s.bytes.begin(), s.bytes.end(), file.begin(),
                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
      return s.kind;
    }
  }
  return PictureKind::kNone;
}

std::optional<RasterImage> decodePicture(ByteView file) {
  switch (recognisePicture(file)) {
    case PictureKind::kBmp:
      return decodeBmp(file);
    case PictureKind::kJpeg:
      return decodeJpeg(file);
    case PictureKind::kGif:
      return decodeGif(file);
    case PictureKind::kNone:
      break;
  }
  return std::nullopt;
}

}  // namespace torvane
