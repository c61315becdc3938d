// The application icon: the committed renderings must be what the script
// makes of tavri.svg today, the Windows .ico must hold those very images, and
// the program must install them as the one icon of all its windows.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

#include "app/qt/app_icon.h"

namespace {

const QList<int> kHicolorSizes = {16, 22, 24, 32, 48, 64, 128, 256};
const QList<int> kIcoSizes = {16, 24, 32, 48, 64, 256};

QString SourceDir() { return QStringLiteral(TAVRI_SOURCE_DIR); }

QString HicolorPng(const QString& root, int size) {
  return QStringLiteral("%1/hicolor/%2x%2/apps/tavri.png").arg(root).arg(size);
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The largest difference of any channel of any pixel, or -1 when the images
// cannot be compared at all. Compared premultiplied, as pixmaps hold them:
// going back to straight alpha would round half-transparent edges.
int LargestChannelDifference(QImage a, QImage b) {
  if (a.isNull() || b.isNull() || a.size() != b.size()) return -1;
  a = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  b = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    const uchar* rowA = a.constScanLine(y);
    const uchar* rowB = b.constScanLine(y);
    for (int x = 0; x < a.width() * 4; ++x) {
      largest = std::max(largest, std::abs(int(rowA[x]) - int(rowB[x])));
    }
  }
  return largest;
}

}  // namespace

class IconsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Re-renders into a scratch folder. Identical bytes are the rule; a
  // difference of a few levels in some pixels is what another release of the
  // renderer makes of the same drawing, and is not a stale file. Any change
  // to the drawing moves pixels by far more.
  void committedRenderingsAreUpToDate() {
    QTemporaryDir fresh;
    QVERIFY(fresh.isValid());
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(QStringLiteral("bash"),
                 {SourceDir() + QStringLiteral("/packaging/icons/generate.sh"), fresh.path()});
    QVERIFY(script.waitForFinished(60000));
    QCOMPARE(script.exitStatus(), QProcess::NormalExit);
    QCOMPARE(script.exitCode(), 0);

    const QString committed = SourceDir() + QStringLiteral("/packaging/icons");
    const int kRendererTolerance = 8;  // of 255
    for (int size : kHicolorSizes) {
      const QString path = HicolorPng(committed, size);
      const QString regenerated = HicolorPng(fresh.path(), size);
      if (Contents(path) == Contents(regenerated)) continue;
      const int difference = LargestChannelDifference(QImage(path), QImage(regenerated));
      QVERIFY2(difference >= 0 && difference <= kRendererTolerance,
               qPrintable(QStringLiteral("%1 is stale (differs by %2): run "
                                         "bash packaging/icons/generate.sh and commit the result")
                              .arg(path)
                              .arg(difference)));
    }
  }

  // tavri.exe embeds the .ico: it must carry every size Windows asks for,
  // each the same picture as the committed rendering of that size.
  void windowsIconHoldsTheRenderings() {
    const QString committed = SourceDir() + QStringLiteral("/packaging/icons");
    QImageReader reader(committed + QStringLiteral("/tavri.ico"), "ico");
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QList<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
      QVERIFY(reader.jumpToImage(i));
      const QImage image = reader.read();
      QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
      QCOMPARE(image.width(), image.height());
      QVERIFY2(image.hasAlphaChannel(), qPrintable(QString::number(image.width())));
      sizes.append(image.width());
      QCOMPARE(LargestChannelDifference(image, QImage(HicolorPng(committed, image.width()))), 0);
    }
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, kIcoSizes);
  }

  // Installed once on the application, the icon is what every window shows:
  // no window of tavri sets one of its own.
  void applicationIconCoversEveryRenderedSize() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    QVERIFY(app != nullptr);
    tavri::InstallApplicationIcon(*app);
    const QIcon icon = QApplication::windowIcon();
    QList<int> sizes;
    for (const QSize& size : icon.availableSizes()) sizes.append(size.width());
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, kHicolorSizes);
    // Drawn from the committed files, not scaled from a neighbour size.
    const QString committed = SourceDir() + QStringLiteral("/packaging/icons");
    for (int size : {16, 48}) {
      QCOMPARE(LargestChannelDifference(icon.pixmap(QSize(size, size), 1.0).toImage(),
                                        QImage(HicolorPng(committed, size))),
               0);
    }
    QCOMPARE(QGuiApplication::desktopFileName(), QString::fromLatin1(tavri::kDesktopFileId));

    QWidget window;
    QVERIFY(!window.testAttribute(Qt::WA_SetWindowIcon));
    QCOMPARE(window.windowIcon().cacheKey(), icon.cacheKey());
  }
};

QTEST_MAIN(IconsTest)
#include "icons_test.moc"
