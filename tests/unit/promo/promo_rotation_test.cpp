#include "promo/promo_rotation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

TEST(PromoRotation, ColourCyclesRedVioletBlueAndLeavesOthers) {
  struct Case {
    Colour current;
    Colour next;
  };
  const std::vector<Case> cases = {
      {255, 0xFF0090},      {0xFF0090, 0xFF0000}, {0xFF0000, 255},
      {0x00FF00, 0x00FF00}, {0xFF0091, 0xFF0091}, {0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current);
    EXPECT_EQ(nextPromoColour(c.current), c.next);
  }
}

TEST(PromoRotation, LineAlternatesFromWhatTheBoxShows) {
  struct Case {
    const char* name;
    std::string current;
    std::string adText1;
    std::string adText2;
    std::string next;
  };
  const std::vector<Case> cases = {
      {"initial text", "\xB8\xFC\xB6\xE0", "one", "two", "one"},
      {"first line shown", "one", "one", "two", "two"},
      {"second line shown", "two", "one", "two", "one"},
      {"user typed", "typed", "one", "two", "one"},
      {"equal lines", "same", "same", "same", "same"},
      {"empty lines", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(nextPromoLine(c.current, c.adText1, c.adText2), c.next);
  }
}

TEST(PromoRotation, TextRepeatsEveryTwoTicksColourEveryThree) {
  std::string text = "initial";
  Colour colour = kPromoRed;
  struct Shown {
    std::string text;
    Colour colour;
  };
  const std::vector<Shown> expected = {
      {"one", kPromoViolet},
      {"two", kPromoBlue},
      {"one", kPromoRed},
      {"two", kPromoViolet},
  };
  for (const Shown& shown : expected) {
    colour = nextPromoColour(colour);
    text = nextPromoLine(text, "one", "two");
    EXPECT_EQ(text, shown.text);
    EXPECT_EQ(colour, shown.colour);
  }
}

}  // namespace
}  // namespace torvane
