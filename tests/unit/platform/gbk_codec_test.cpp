#include "platform/gbk_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "promo/promo_markers.h"

namespace torvane {
namespace {

TEST(GbkCodec, EncodesChineseAsGbkBytes) {
  struct Case {
    std::string utf8;
    std::string_view gbk;
  };
  const std::vector<Case> cases = {
      {"Quorrel头部", kPageStartMarker}, {"Quorrel尾部", kPageEndMarker},
      {"广告1=", kLine1Marker},          {"广告2=", kLine2Marker},
      {"</p>", kLineEndMarker},          {"更多", "\xB8\xFC\xB6\xE0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk);
    EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8);
  }
}

TEST(GbkCodec, RoundTripsEveryCharacter) {
  std::string longText;
  for (int i = 0; i < 2000; ++i) longText += "更多免费工具尽在我的空间，如果好用欢迎转载";
  const std::vector<std::string> texts = {
      "",
      "plain ASCII",
      "更多免费工具尽在我的空间，如果好用欢迎转载",
      "outside GBK: 𠀀 and 😀 and €",
      longText,
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    EXPECT_EQ(gbkToUtf8(utf8ToGbk(text)), text);
  }
  EXPECT_EQ(utf8ToGbk("𠀀"), "\x95\x32\x82\x36");
}

TEST(GbkCodec, UnconvertibleBytesBecomeReplacementCharacters) {
  struct Case {
    const char* name;
    std::string in;
    std::string out;
  };
  const std::vector<Case> decoding = {
      {"bad single byte",
       "a\xFF"
       "b",
       "a\uFFFD"
       "b"},
      {"bad trail byte", "\xB0 x", "\uFFFD x"},
      {"lead byte at the end", "ab\xB0", "ab\uFFFD"},
      {"cut four-byte sequence", "ab\x95\x32", "ab\uFFFD"},
  };
  for (const Case& c : decoding) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(gbkToUtf8(c.in), c.out);
  }
  const std::string replacement = "\x84\x31\xA4\x37";
  const std::vector<Case> encoding = {
      {"stray continuation byte",
       "a\x80"
       "b",
       "a" + replacement + "b"},
      {"overlong form", "\xC0\xAF", replacement + replacement},
      {"cut sequence at the end", "a\xE4\xB8", "a" + replacement},
  };
  for (const Case& c : encoding) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(utf8ToGbk(c.in), c.out);
  }
}

}  // namespace
}  // namespace torvane
