// The least a Qt Widgets program does to put one empty window of the game
// window's client size on screen, built with the game's own flags: what a
// program idling on this desktop costs, beside the game's countdown.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(580, 401);
  window.show();
  return app.exec();
}
