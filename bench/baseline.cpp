// The yardstick for the game's start-up and memory: the least a Qt Widgets
// program does to put one empty window of the game window's client size on
// screen. Built with the game's own flags.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(580, 401);
  window.show();
  return app.exec();
}
