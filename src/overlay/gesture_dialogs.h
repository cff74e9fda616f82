#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "overlay/colour.h"
#include "overlay/font_record.h"

namespace torvane {

struct FontChoice {
  std::string name;  // GBK
  int size = 0;
  bool underline = false;
  bool strikeout = false;
  bool italic = false;
  bool bold = false;
  Colour colour = 0;
};

// The modal boxes the gestures open. Titles, prompts and filters are UTF-8; a cancelled box gives
// nothing.
class GestureDialogs {
 public:
  virtual ~GestureDialogs() = default;
  // The entered text as GBK, possibly empty.
  virtual std::optional<std::string> inputBox(std::string_view title, std::string_view prompt) = 0;
  // Starts from the previous confirmed choice.
  virtual std::optional<FontChoice> chooseFont() = 0;
  // `filter` is "description|pattern;pattern"; gives the chosen full path.
  virtual std::optional<std::string> choosePictureFile(std::string_view title,
                                                       std::string_view filter) = 0;
};

}  // namespace torvane
