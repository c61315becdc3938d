#include "app/qt/app_icon.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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

namespace {

// Waits for the window's first exposure. The window is drawn and flushed
// inside the handling of that event, so what is queued from it comes after.
class FirstExposure : public QObject {
 public:
  explicit FirstExposure(QApplication& app) : QObject(&app), app_(app) {
    QTimer::singleShot(1000, this, [this] { Install(); });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] { Install(); });
    }
    return false;
  }

 private:
  void Install() {
    if (done_) return;
    done_ = true;
    InstallApplicationIcon(app_);
    deleteLater();
  }

  QApplication& app_;
  bool done_ = false;
};

}  // namespace

void InstallApplicationIconWhenShown(QApplication& app, QWidget* window) {
  auto* waiting = new FirstExposure(app);
  if (window && window->windowHandle()) window->windowHandle()->installEventFilter(waiting);
}

}  // namespace tavri
