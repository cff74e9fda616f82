#include "platform/common_dialog.h"

#include <QFileDialog>

#include "platform/font_colour_dialog.h"

namespace torvane {

namespace {

// "description|*.a;*.b" → "description (*.a *.b)"; the details are hidden in the dialog, so the
// user sees the description as written.
QString qtNameFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(u'|');
  if (bar < 0) return filter;
  QString patterns = filter.mid(bar + 1);
  patterns.replace(u';', u' ');
  return filter.left(bar) + QStringLiteral(" (") + patterns + u')';
}

}  // namespace

bool CommonDialog::showOpen(const QString& title, const QString& filter,
                            const QString& defaultExtension) {
  return showFileDialog(false, title, filter, defaultExtension);
}

bool CommonDialog::showSave(const QString& title, const QString& filter,
                            const QString& defaultExtension) {
  return showFileDialog(true, title, filter, defaultExtension);
}

bool CommonDialog::showFileDialog(bool save, const QString& title, const QString& filter,
                                  const QString& defaultExtension) {
  QFileDialog dialog(nullptr, title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(qtNameFilter(filter));
  dialog.setDefaultSuffix(defaultExtension);
  dialog.setWindowModality(Qt::ApplicationModal);
  if (!fileName_.isEmpty()) dialog.selectFile(fileName_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName_ = dialog.selectedFiles().constFirst();
  return true;
}

bool CommonDialog::showFont() {
  FontColourDialog dialog(fontChosen_ ? &font_ : nullptr);
  if (dialog.exec() != QDialog::Accepted) return false;
  font_ = dialog.result();
  fontChosen_ = true;
  return true;
}

}  // namespace torvane
