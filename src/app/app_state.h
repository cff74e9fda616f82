#pragma once

#include <cstdint>
#include <string>

#include "app/bytes.h"

namespace torvane {

// The one global record the handlers share. Fields are written directly; the owned values
// (frozenScreen and the three texts) release their old contents when a new value is stored.
struct AppState {
  SharedBytes frozenScreen;  // BMP file of the screen as captured at start; the canvas shares it
  std::int32_t currentTool = 0;
  std::int32_t stampPicture = 0;
  std::int32_t customStampPending = 0;
  std::int32_t buttonDown = 0;
  std::int32_t lastX = 0;
  std::int32_t lastY = 0;
  std::int32_t dockMargin = 0;
  std::string pageText;  // GBK
  std::string adText1;   // GBK
  std::string adText2;   // GBK
};

AppState& appState();

// Releases what AppState owns: frozenScreen, adText1, adText2, pageText, in that order.
void releaseAppState();

}  // namespace torvane
