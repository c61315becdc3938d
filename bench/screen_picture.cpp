// The benchmark's check that a same-window program shows what the program
// it stands for shows: pictures of the whole X screen, and their comparison
// pixel for pixel.
//
//   screen_picture FILE.png            the screen as it is now
//   screen_picture --compare A.png B.png
//       prints: differing_pixels=N (0: the same picture); exit status 1 when
//       they differ
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "--compare") == 0) {
    const QImage a = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(QString::fromLocal8Bit(argv[3])).convertToFormat(QImage::Format_RGB32);
    if (a.isNull() || b.isNull() || a.size() != b.size()) {
      std::printf("differing_pixels=all (unreadable, or of other sizes)\n");
      return 1;
    }
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    std::printf("differing_pixels=%ld\n", differing);
    return differing == 0 ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: screen_picture FILE.png | --compare A.png B.png\n");
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
