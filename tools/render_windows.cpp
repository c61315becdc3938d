// Renders the game window and the help window to PNG files, offscreen, so
// they can be compared with the design without a display:
//
//   render_windows OUTPUT_FOLDER
//
// form1.png      the game window as the player first sees it (after load)
// form1_design.png  the game window in its design state: every control
//                visible with its design caption, before the load handler
// form2.png      the help window
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "help/ui/form2_window.h"
#include "shared/clock_random.h"
#include "shared/module1.h"

namespace {

// Answers every message box at once: a picture needs no notice.
class QuietPlatform : public tavri::Platform {
 public:
  tavri::MessageAnswer MsgBox(const tavri::MessageBoxSpec&) override {
    return tavri::MessageAnswer::Ok;
  }
  void Beep() override {}
  void Randomize() override { random_.Randomize(); }
  float Rnd() override { return random_.Next(); }

 private:
  tavri::ClockRandom random_;
};

class NoWindows : public tavri::Form1Windows {
 public:
  void ShowResultsModal() override {}
  void ShowResultsModeless() override {}
  void ShowHelp() override {}
  void EndProgram() override {}
};

bool Save(QWidget& window, const QDir& folder, const char* file) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(QString::fromLatin1(file));
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  window.hide();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_windows OUTPUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  QuietPlatform platform;
  NoWindows windows;
  bool ok = true;
  {
    tavri::Module1 module;
    tavri::Form1 form(module, platform, windows);
    tavri::Form1Window window(form);
    window.Render();
    ok = Save(window, folder, "form1_design.png") && ok;
  }
  {
    tavri::Module1 module;
    tavri::Form1 form(module, platform, windows);
    tavri::Form1Window window(form);
    window.Load();
    ok = Save(window, folder, "form1.png") && ok;
  }
  {
    tavri::Form2Window help([] {});
    ok = Save(help, folder, "form2.png") && ok;
  }
  return ok ? 0 : 1;
}
