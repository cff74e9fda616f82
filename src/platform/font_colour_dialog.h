#pragma once

#include <QDialog>

#include "platform/common_dialog.h"

class QFontDialog;
class QComboBox;

namespace torvane {

// A font dialog with the colour in it: face, size, bold, italic, underline, strikeout and colour
// picked in one place, starting from the previous confirmed choice.
class FontColourDialog : public QDialog {
 public:
  explicit FontColourDialog(const CommonDialog::FontResult* previous);
  CommonDialog::FontResult result() const;

 private:
  void chooseOtherColour();
  Colour currentColour() const;

  QFontDialog* fonts_;
  QComboBox* colours_;
};

}  // namespace torvane
