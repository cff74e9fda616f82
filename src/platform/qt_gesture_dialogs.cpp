#include "platform/qt_gesture_dialogs.h"

#include <QInputDialog>

#include "platform/gbk_codec.h"

namespace torvane {

namespace {

QString qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

std::optional<std::string> QtGestureDialogs::inputBox(std::string_view title,
                                                      std::string_view prompt) {
  QInputDialog box;
  box.setWindowTitle(qstring(title));
  box.setLabelText(qstring(prompt));
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowModality(Qt::ApplicationModal);
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  // GB18030 holds every character, so nothing typed is lost on the way to the canvas.
  return utf8ToGbk(box.textValue().toStdString());
}

std::optional<FontChoice> QtGestureDialogs::chooseFont() {
  if (!common_.showFont()) return std::nullopt;
  const CommonDialog::FontResult& f = common_.font();
  return FontChoice{utf8ToGbk(f.name.toStdString()),
                    f.size,
                    f.underline,
                    f.strikeout,
                    f.italic,
                    f.bold,
                    f.colour};
}

std::optional<std::string> QtGestureDialogs::choosePictureFile(std::string_view title,
                                                               std::string_view filter) {
  if (!common_.showOpen(qstring(title), qstring(filter), QString())) return std::nullopt;
  return common_.fileName().toStdString();
}

}  // namespace torvane
