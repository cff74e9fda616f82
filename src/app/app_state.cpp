#include "app/app_state.h"

namespace torvane {

namespace {

template <typename Owned>
void release(Owned& value) {
  Owned().swap(value);
}

}  // namespace

AppState& appState() {
  static AppState state;
  return state;
}

void releaseAppState() {
  AppState& s = appState();
  release(s.frozenScreen);
  release(s.adText1);
  release(s.adText2);
  release(s.pageText);
}

}  // namespace torvane
