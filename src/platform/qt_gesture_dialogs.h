#pragma once

#include "overlay/gesture_dialogs.h"
#include "platform/common_dialog.h"

namespace torvane {

// The gesture dialogs as the toolkit shows them: an input box and the common dialog's font and
// open-file dialogs.
class QtGestureDialogs : public GestureDialogs {
 public:
  explicit QtGestureDialogs(CommonDialog& commonDialog) : common_(commonDialog) {}

  std::optional<std::string> inputBox(std::string_view title, std::string_view prompt) override;
  std::optional<FontChoice> chooseFont() override;
  std::optional<std::string> choosePictureFile(std::string_view title,
                                               std::string_view filter) override;

 private:
  CommonDialog& common_;
};

}  // namespace torvane
