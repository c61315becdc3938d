// The yardstick for the game's start-up and memory on Qt: the game window as
// the player first sees it (its 47 controls in their places, the same face,
// sizes, colours, menu bar and stacking, and the start notice over it), put
// on screen directly with Qt Widgets: no game, no design table, no host, no
// results file. Everything it shows is written out below as the game draws
// it on a 96 dpi screen with IPAPGothic standing in for the design's face
// (bench/run.sh checks that the two pictures are the same, pixel for pixel).
// What tavri takes beyond this is what its own code costs.
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

enum Kind { kLabel, kLine, kFrame, kButton, kBox };
constexpr int kNone = -1;  // the toolkit's colour
constexpr int kLeft = 0, kCentre = 1;

struct Control {
  Kind kind;
  bool inFrame;  // else on the client area
  int x, y, width, height;
  int pixels;   // font size
  bool bold;
  int stretch;  // 100: the face's own width
  int back, fore;
  int align;
  bool wrap;
  bool visible, enabled;
  const char* text;
};

// Back to front (the order they are made in), the frame's own controls after
// the frame itself.
constexpr Control kControls[] = {
    {kLabel, false, 88, 8, 49, 21, 19, true, 100, 0xff0000, 0x0000ff, kLeft, false, true, true, "番  号"},
    {kLabel, false, 8, 8, 17, 25, 27, true, 100, 0x000080, 0xffffff, kLeft, true, true, true, "1"},
    {kLabel, false, 8, 32, 17, 25, 27, true, 100, 0x000080, 0xffffff, kLeft, true, true, true, "2"},
    {kLabel, false, 8, 56, 17, 25, 27, true, 100, 0x000080, 0xffffff, kLeft, true, true, true, "3"},
    {kLabel, false, 8, 80, 17, 25, 27, true, 98, 0x000080, 0xffffff, kLeft, true, true, true, "4"},
    {kLabel, false, 8, 104, 17, 25, 27, true, 100, 0x000080, 0xffffff, kLeft, true, true, true, "5"},
    {kLabel, false, 32, 8, 49, 25, 21, true, 100, 0xffff00, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 32, 32, 49, 25, 21, true, 100, 0xffff00, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 32, 56, 49, 25, 21, true, 100, 0xffff00, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 32, 80, 49, 25, 21, true, 100, 0xffff00, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 32, 104, 49, 25, 21, true, 100, 0xffff00, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 152, 8, 57, 65, 64, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, "ｘ"},
    {kLabel, false, 152, 72, 57, 65, 64, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, "ｙ"},
    {kLabel, false, 208, 8, 361, 17, 18, false, 100, 0x0000ff, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 208, 72, 361, 17, 18, false, 100, 0x0000ff, 0x000000, kLeft, true, true, true, ""},
    {kLabel, false, 208, 24, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 280, 24, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 352, 24, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 424, 24, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 496, 24, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 208, 88, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 280, 88, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 352, 88, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 424, 88, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 496, 88, 73, 49, 37, true, 100, 0x0000ff, 0xffffff, kCentre, true, true, true, ""},
    {kLabel, false, 8, 144, 177, 161, 160, true, 100, 0x004000, 0x00ff00, kLeft, true, true, true, "点"},
    {kLine, false, 152, 78, 416, 5, 0, false, 100, 0xffffff, kNone, kLeft, false, true, true, ""},
    {kLine, false, 206, 8, 5, 128, 0, false, 100, 0xffffff, kNone, kLeft, false, true, true, ""},
    {kFrame, false, 192, 144, 377, 185, 27, true, 100, 0xff8000, 0x0000c0, kLeft, false, true, true, "ｘとｙの関係は？"},
    {kLabel, true, 72, 136, 49, 33, 32, true, 100, 0xff8000, 0xffff00, kLeft, true, false, true, "y ="},
    {kLabel, true, 176, 128, 16, 35, 32, false, 100, 0xff8000, 0xffff00, kLeft, false, false, true, "x"},
    {kLabel, true, 192, 128, 9, 17, 16, true, 88, 0xff8000, 0xffff00, kLeft, true, false, true, "2"},
    {kLabel, true, 136, 144, 17, 35, 32, true, 100, 0xff8000, 0xffff00, kLeft, false, false, true, "x"},
    {kLabel, true, 256, 128, 113, 49, 16, true, 76, 0x0000ff, 0xffffff, kLeft, true, false, true, "  数を入れたらＥｎｔｅｒキーを押してください。"},
    {kLine, true, 120, 150, 56, 5, 0, false, 100, 0xffff00, kNone, kLeft, false, false, true, ""},
    {kButton, true, 24, 32, 161, 33, 18, false, 100, kNone, kNone, kLeft, false, true, false, "ｙはｘに比例"},
    {kButton, true, 200, 32, 161, 33, 18, false, 100, kNone, kNone, kLeft, false, true, false, "ｙはｘに反比例"},
    {kButton, true, 24, 72, 161, 33, 18, false, 100, kNone, kNone, kLeft, false, true, false, "ｙはｘの一次関数"},
    {kButton, true, 200, 72, 161, 33, 18, false, 100, kNone, kNone, kLeft, false, false, false, "ｙはｘの２乗に比例"},
    {kBox, true, 128, 136, 41, 33, 24, false, 100, kNone, kNone, kLeft, false, false, true, ""},
    {kBox, true, 200, 136, 41, 33, 24, false, 100, kNone, kNone, kLeft, false, false, true, ""},
    {kBox, true, 120, 112, 57, 33, 24, false, 100, kNone, kNone, kLeft, false, false, true, ""},
    {kButton, false, 192, 336, 129, 57, 29, true, 100, kNone, kNone, kLeft, false, true, true, "スタート"},
    {kButton, false, 328, 360, 145, 33, 16, false, 100, kNone, kNone, kLeft, false, true, true, "ｘの値：－２～２"},
    {kButton, false, 480, 352, 89, 41, 24, true, 100, kNone, kNone, kLeft, false, true, true, "終了"},
    {kButton, false, 8, 312, 177, 81, 64, false, 100, kNone, kNone, kLeft, false, true, true, "得点"},
    {kButton, false, 88, 104, 57, 33, 18, false, 100, kNone, kNone, kLeft, false, true, true, "説明"},
};
static_assert(std::size(kControls) == 47);

// The face that stands in for the design's on this machine.
const QString kFace = QStringLiteral("IPAPGothic");

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QFont Font(int pixels, bool bold, int stretch = 100) {
  QFont font(kFace);
  font.setPixelSize(pixels);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  if (stretch != 100) font.setStretch(stretch);
  return font;
}

// Filled with its back colour, an etched border through the middle of the
// caption, the caption in its fore colour on the back colour.
class Frame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    const QRect captionBox(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(captionBox, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionBox, Qt::AlignCenter | Qt::TextSingleLine, title());
  }
};

QWidget* Make(const Control& control, QWidget* parent) {
  switch (control.kind) {
    case kLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAutoFillBackground(true);
      label->setAlignment((control.align == kCentre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      label->setWordWrap(control.wrap);
      label->setText(Text(control.text));
      return label;
    }
    case kLine: {
      auto* line = new QWidget(parent);
      line->setAutoFillBackground(true);
      return line;
    }
    case kFrame: {
      auto* frame = new Frame(Text(control.text), parent);
      frame->setAutoFillBackground(true);
      frame->setFocusPolicy(Qt::NoFocus);
      return frame;
    }
    case kButton: {
      auto* button = new QPushButton(Text(control.text), parent);
      button->setAutoDefault(true);
      return button;
    }
    case kBox: return new QLineEdit(parent);
  }
  return nullptr;
}

}  // namespace

int main() {
  static int qtArgc = 1;
  static char programName[] = "tavri_same_window";
  static char* qtArgv[] = {programName, nullptr};
  QGuiApplication::setDesktopSettingsAware(false);
  QCoreApplication::setAttribute(Qt::AA_DisableSessionManager);
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(qtArgc, qtArgv);

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Ranvik（Orsel)"));
  auto* client = new QWidget(&window);
  client->setFixedSize(580, 401);
  client->setAutoFillBackground(true);
  QPalette green = client->palette();
  green.setColor(QPalette::Window, QColor(0x008000));
  client->setPalette(green);
  client->setFont(Font(18, false));
  window.setCentralWidget(client);
  window.layout()->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* frame = nullptr;
  std::vector<QWidget*> focusable;
  for (const Control& control : kControls) {
    QWidget* widget = Make(control, control.inFrame ? frame : client);
    if (control.kind == kFrame) frame = widget;
    widget->setGeometry(control.x, control.y, control.width, control.height);
    if (control.kind != kLine) widget->setFont(Font(control.pixels, control.bold, control.stretch));
    // Colours of its own, else the toolkit's (not those of what it sits on).
    QPalette palette = QApplication::palette(widget);
    palette.setResolveMask(~QPalette::ResolveMask(0));
    const bool box = control.kind == kBox;
    if (control.back != kNone)
      palette.setColor(box ? QPalette::Base : QPalette::Window, QColor(QRgb(control.back)));
    if (control.fore != kNone)
      palette.setColor(box ? QPalette::Text : QPalette::WindowText, QColor(QRgb(control.fore)));
    widget->setPalette(palette);
    // Qt draws a glyph this large as an outline, and a shade differently
    // once its size has been asked for, as the game asks: asked here too.
    if (control.pixels > 100) (void)QFontMetrics(widget->font()).horizontalAdvance(Text(control.text));
    widget->setEnabled(control.enabled);
    if (!control.visible) widget->hide();
    if (control.kind == kButton || control.kind == kBox) focusable.push_back(widget);
  }
  // Tab order: the client area's buttons, then the frame's.
  std::rotate(focusable.begin(), focusable.begin() + 7, focusable.end());
  for (std::size_t i = 1; i < focusable.size(); ++i) QWidget::setTabOrder(focusable[i - 1], focusable[i]);

  QMenuBar* bar = window.menuBar();
  QFont menuFont = QApplication::font(bar);
  menuFont.setFamily(kFace);
  bar->setFont(menuFont);
  QMenu* game = bar->addMenu(QStringLiteral("ゲーム"));
  game->setFont(menuFont);
  game->addAction(QStringLiteral("スタート"));
  game->addSeparator();
  game->addAction(QStringLiteral("一覧"));
  game->addSeparator();
  game->addAction(QStringLiteral("終了"));
  QMenu* range = bar->addMenu(QStringLiteral("ｘの値"));
  range->setFont(menuFont);
  for (const char* name : {"－２～２", "１～５", "－５～－１", "ランダム"}) {
    QAction* item = range->addAction(Text(name));
    item->setCheckable(true);
    item->setChecked(range->actions().size() == 1);
  }
  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ"));
  help->setFont(menuFont);
  help->addAction(QStringLiteral("説明"));

  window.adjustSize();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  window.move(area.x() + (area.width() - window.width()) / 2,
              area.y() + (area.height() - window.height()) / 2);
  window.show();
  window.raise();
  window.activateWindow();
  // The start button, first in tab order.
  focusable.front()->setFocus(Qt::OtherFocusReason);

  auto* notice = new QMessageBox(&window);
  notice->setWindowTitle(QStringLiteral("スタート"));
  notice->setTextFormat(Qt::PlainText);
  notice->setText(QStringLiteral("「スタート」ボタンをクリックすると，始まります。"));
  notice->setIcon(QMessageBox::Warning);
  QPushButton* ok = notice->addButton(QMessageBox::Ok);
  ok->setText(QStringLiteral("OK"));
  notice->setEscapeButton(ok);
  notice->setDefaultButton(ok);
  // Answered, it gives the activation back to the window, as on a desktop.
  QObject::connect(notice, &QMessageBox::finished, &window, [&window] { window.activateWindow(); });
  notice->show();
  return app.exec();
}
