#pragma once

#include <QString>

#include "overlay/colour.h"

class QWidget;

namespace torvane {

// The common dialog control 通用对话框1: file open and save dialogs and a font dialog that share
// one set of properties. Only a confirmation changes the result properties.
class CommonDialog {
 public:
  struct FontResult {
    QString name;
    int size = 0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    Colour colour = 0;
  };

  // `filter` is "description|pattern;pattern": one entry, shown by its description.
  bool showOpen(const QString& title, const QString& filter, const QString& defaultExtension);
  bool showSave(const QString& title, const QString& filter, const QString& defaultExtension);
  bool showFont();

  // The path confirmed last in any of the file dialogs.
  const QString& fileName() const { return fileName_; }
  const FontResult& font() const { return font_; }

 private:
  bool showFileDialog(bool save, const QString& title, const QString& filter,
                      const QString& defaultExtension);

  QString fileName_;
  FontResult font_;
  bool fontChosen_ = false;
};

}  // namespace torvane
