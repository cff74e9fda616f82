#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/bytes.h"

namespace torvane {

// A flat white toolbar of 32 × 32 image buttons. A click passes the button's index, counted from
// 0 with separators included; buttons never stay pressed, so no current tool is shown.
class ImageToolbar : public QWidget {
 public:
  struct Button {
    const ByteView* image;  // nullptr: a separator
    QString tooltip;
  };

  ImageToolbar(QWidget* parent, const std::vector<Button>& buttons,
               std::function<void(int index)> clicked);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace torvane
