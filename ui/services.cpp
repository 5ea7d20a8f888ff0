#include <QDesktopServices>
#include <QUrl>

#include "ui/services.h"

namespace wm {

bool DesktopBrowser::open(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

}  // namespace wm
