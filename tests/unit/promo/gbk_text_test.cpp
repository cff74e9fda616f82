#include "promo/gbk_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "promo/promo_markers.h"

namespace torvane {
namespace {

TEST(GbkText, FindTextStepsOverTwoByteCharacters) {
  struct Case {
    std::string t;
    std::string s;
    std::ptrdiff_t position;
  };
  const std::string line1(kLine1Marker);
  const std::vector<Case> cases = {
      {"abcabc", "ca", 3},
      {"abcabc", "abc", 1},
      {"ABC", "b", -1},
      {"abc", "abcd", -1},
      {"abc", "", 1},
      {"", "", -1},
      {"", "a", -1},
      // 0xB0 takes the next byte as its second: the marker's bytes at 2 are not a match.
      {"\xB0" + line1, line1, -1},
      {"\xB0\xB0" + line1, line1, 3},
      {"\xB0"
       "abca",
       "a", 5},
      {"\xB0"
       "Quorrel",
       "Quorrel", -1},
      {"a\xB0", "\xB0", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.t) + " / " + testing::PrintToString(c.s));
    EXPECT_EQ(findText(c.t, c.s), c.position);
  }
}

TEST(GbkText, MidTextCountsBytes) {
  struct Case {
    std::string t;
    std::ptrdiff_t start;
    std::ptrdiff_t count;
    std::string result;
  };
  const std::vector<Case> cases = {
      {"abcdef", 2, 3, "bcd"},      {"abcdef", 6, 5, "f"}, {"abcdef", 1, PTRDIFF_MAX, "abcdef"},
      {"abcdef", 0, 3, ""},         {"abcdef", -1, 3, ""}, {"abcdef", 7, 1, ""},
      {"abcdef", 1, 0, ""},         {"abcdef", 1, -2, ""}, {"", 1, 1, ""},
      {"\xB0\xA1x", 2, 2, "\xA1x"},  // may cut a character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t + " " + std::to_string(c.start) + " " + std::to_string(c.count));
    EXPECT_EQ(midText(c.t, c.start, c.count), c.result);
  }
}

TEST(GbkText, BytesToTextStopsAtTheFirstZero) {
  const std::vector<std::uint8_t> withZero = {'a', 0xB0, 0xA1, 0, 'c', 0};
  EXPECT_EQ(bytesToText(withZero), "a\xB0\xA1");
  const std::vector<std::uint8_t> withoutZero = {'a', 'b'};
  EXPECT_EQ(bytesToText(withoutZero), "ab");
  EXPECT_EQ(bytesToText(std::vector<std::uint8_t>{0, 'a'}), "");
  EXPECT_EQ(bytesToText({}), "");
}

TEST(GbkText, MissingTextEqualsEmptyText) {
  EXPECT_TRUE(textEquals(std::string_view{}, ""));
  EXPECT_TRUE(textEquals("\xB0\xA1", "\xB0\xA1"));
  EXPECT_FALSE(textEquals("\xB0\xA1", "\xB0\xA2"));
  EXPECT_FALSE(textEquals("a", std::string_view{}));
}

TEST(GbkText, TextBetweenTakesTheFirstOpenAndTheNextClose) {
  struct Case {
    const char* name;
    std::string t;
    std::string open;
    std::string result;
  };
  const std::string start(kPageStartMarker);
  const std::vector<Case> cases = {
      {"plain", "x[ab]y", "[", "ab"},
      {"first open counts", "[a[b]", "[", "a[b"},
      {"close before open ignored", "]x[ab]", "[", "ab"},
      {"close right after open", "x[]y", "[", ""},
      {"no close", "x[ab", "[", ""},
      {"empty text", "", "[", ""},
      {"empty open", "ab]c", "", "ab"},
      // Without the open marker the search starts at byte length(open) - 1.
      {"no open, long marker", "0123456789abc]d", start, "9abc"},
      {"no open, one-byte marker", "ab]", "[", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(textBetween(c.t, c.open, "]"), c.result);
  }
}

}  // namespace
}  // namespace torvane
