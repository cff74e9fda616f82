#include "overlay/picture_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "unit/overlay/test_pictures.h"
#include "unit/platform/test_encoders.h"

namespace torvane {
namespace {

using namespace std::string_literals;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(PictureDecoderTest, KindComesFromTheFirstBytes) {
  struct Case {
    std::string bytes;
    PictureKind kind;
  };
  const Case cases[] = {
      {"BM\x01\x02\x03\x04"s, PictureKind::kBmp},
      {"\xFF\xD8\xFF\xE0\x00\x10JFIF"s, PictureKind::kJpeg},
      {"GIF87a\x01\x00"s, PictureKind::kGif},
      {"GIF89a"s, PictureKind::kGif},
      {"GIF88a"s, PictureKind::kNone},
      {"RIFF\x10\x00\x00\x00WAVE"s, PictureKind::kNone},
      {"\x00\x00\x01\x00\x01\x00"s, PictureKind::kNone},  // icons are not taken
      {"BM\x01\x02\x03"s, PictureKind::kNone},            // fewer than six bytes
      {"\xFF\xD8"s, PictureKind::kNone},
      {""s, PictureKind::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(recognisePicture(bytesOf(c.bytes)), c.kind);
  }
}

TEST(PictureDecoderTest, DecodesRecognisedFilesAndNothingElse) {
  const RasterImage picture(3, 2, 0xFF123456);
  const std::optional<RasterImage> bmp = decodePicture(test::makeBmp(picture, 24));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->pixels, picture.pixels);

  const std::optional<RasterImage> jpeg = decodePicture(test::makeJpeg(1, false));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 64);
  EXPECT_EQ(jpeg->at(50, 3), 0xFFC0C0C0u);

  test::GifFrame frame{0, 0, 2, 1, false, {{2, 1}}};
  const std::optional<RasterImage> gif =
      decodePicture(test::encodeGif({false, 2, 1, 0, true, -1, {frame}}));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->pixels, (std::vector<std::uint32_t>{test::kGifPixels[2], test::kGifPixels[1]}));

  EXPECT_FALSE(decodePicture(bytesOf("RIFF\x10\x00\x00\x00WAVEfmt "s)));
  EXPECT_FALSE(decodePicture(bytesOf("\xFF\xD8\xFF\xD9 not a picture")));
  EXPECT_FALSE(decodePicture(bytesOf("GIF89a\x01")));
  EXPECT_FALSE(decodePicture({}));
}

}  // namespace
}  // namespace torvane
