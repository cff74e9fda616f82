#include "app/program_end.h"

#include <gtest/gtest.h>

#include "app/app_state.h"

namespace torvane {
namespace {

int cleanupRuns = 0;

TEST(ProgramEnd, CleanupRunsOnceWhicheverWayTheProgramEnds) {
  registerCleanup([] { ++cleanupRuns; });
  runCleanup();
  runCleanup();
  EXPECT_EQ(cleanupRuns, 1);
  EXPECT_EXIT(endProgram(7), ::testing::ExitedWithCode(7), "");
}

TEST(ProgramEnd, ReleaseAppStateEmptiesOnlyTheOwnedFields) {
  AppState& s = appState();
  s.frozenScreen = std::make_shared<const Bytes>(100, 1);
  s.pageText = "page";
  s.adText1 = "one";
  s.currentTool = 4;
  s.dockMargin = 5;
  releaseAppState();
  EXPECT_EQ(s.frozenScreen, nullptr);
  EXPECT_TRUE(s.pageText.empty());
  EXPECT_TRUE(s.adText1.empty());
  EXPECT_TRUE(s.adText2.empty());
  EXPECT_EQ(s.currentTool, 4);
  EXPECT_EQ(s.dockMargin, 5);
  releaseAppState();  // releasing empty fields is no error
}

}  // namespace
}  // namespace torvane
