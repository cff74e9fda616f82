#include "platform/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace torvane {

void openUrl(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::TolerantMode));
}

}  // namespace torvane
