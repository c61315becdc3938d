#include "app/qt/app_icon.h"

#include <QApplication>
#include <QIcon>
#include <QSize>

// The icon images are compiled into the front-end library; a resource in a
// static library is only linked in when something names its initialiser, and
// the macro must be used outside any namespace.
static void InitAppIconResource() { Q_INIT_RESOURCE(app_icon); }

namespace tavri {

void InstallApplicationIcon(QApplication& app) {
  InitAppIconResource();
  QIcon icon;
  // Rendered sizes, so that no size is made by scaling another one.
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/tavri-%1.png").arg(size), QSize(size, size));
  }
  app.setWindowIcon(icon);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileId));
}

}  // namespace tavri
