#include "palette/toolbar_commands.h"

#include <gtest/gtest.h>

#include <climits>

namespace torvane {
namespace {

TEST(ToolbarCommands, GraffitiButtonsInToolbarOrder) {
  const std::optional<int> expected[] = {2, 1, 8, 7, 3, 4};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(graffitiTool(i), expected[i]) << "index " << i;
  for (int i : {-1, 6, INT_MIN, INT_MAX}) EXPECT_EQ(graffitiTool(i), std::nullopt) << i;
}

TEST(ToolbarCommands, WreckButtonsInToolbarOrder) {
  const std::optional<int> expected[] = {5, 9, 6};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(wreckTool(i), expected[i]) << "index " << i;
  for (int i : {-1, 3, INT_MIN, INT_MAX}) EXPECT_EQ(wreckTool(i), std::nullopt) << i;
}

TEST(ToolbarCommands, OtherButtonsCountTheSeparator) {
  struct Case {
    int index;
    OtherCommand command;
  };
  const Case cases[] = {
      {0, OtherCommand::Bucket},     {1, OtherCommand::None},       {2, OtherCommand::Save},
      {3, OtherCommand::Exit},       {4, OtherCommand::None},       {-1, OtherCommand::None},
      {INT_MIN, OtherCommand::None}, {INT_MAX, OtherCommand::None},
  };
  for (const Case& c : cases) EXPECT_EQ(otherCommand(c.index), c.command) << c.index;
}

// Expected texts spelled as UTF-8 bytes: ASCII blanks, "!" and "?", not their full-width forms.
TEST(ToolbarCommands, SaveMessagesExactBytes) {
  const std::string path = "/home/u/图片 1.bmp";
  EXPECT_EQ(saveResultMessage(true, path),
            (SaveMessage{"\xe4\xbf\x9d\xe5\xad\x98\xe6\x96\x87\xe4\xbb\xb6\x20" + path +
                             "\x20\xe6\x88\x90\xe5\x8a\x9f\x21",
                         "\xe6\x88\x90\xe5\x8a\x9f", 0}));
  EXPECT_EQ(saveResultMessage(false, path),
            (SaveMessage{"\xe4\xbf\x9d\xe5\xad\x98\xe6\x96\x87\xe4\xbb\xb6\x20" + path +
                             "\x20\xe5\xa4\xb1\xe8\xb4\xa5\x21",
                         "\xe9\x94\x99\xe8\xaf\xaf", 16}));
  EXPECT_EQ(saveResultMessage(false, "").text,
            "\xe4\xbf\x9d\xe5\xad\x98\xe6\x96\x87\xe4\xbb\xb6\x20\x20\xe5\xa4\xb1\xe8\xb4\xa5\x21");
}

TEST(ToolbarCommands, ExitQuestionExactBytes) {
  EXPECT_STREQ(kExitQuestion,
               "\xe7\x9c\x9f\xe7\x9a\x84\xe8\xa6\x81\xe9\x80\x80\xe5\x87\xba\xe5\x90\x97\x3f");
  EXPECT_STREQ(kExitTitle, "\xe9\x80\x80\xe5\x87\xba");
  EXPECT_EQ(kExitFlags, 1);
}

}  // namespace
}  // namespace torvane
