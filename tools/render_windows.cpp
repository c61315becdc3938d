// Renders the game window and the help window to PNG files, offscreen, so
// they can be compared with the design without a display:
//
//   render_windows OUTPUT_FOLDER
//
// form1.png      the game window as the player first sees it (after load)
// form1_design.png  the game window in its design state: every control
//                visible with its design caption, before the load handler
// form1_inverse.png  a problem of y = a / x on －２～２, three ticks in
// form1_linear_entry.png  the formula entry of y = ax + b on １～５
// form1_marks.png  the mark list after a whole game
// form2.png      the help window
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>
#include <deque>
#include <functional>
#include <initializer_list>

#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "help/ui/form2_window.h"
#include "shared/clock_random.h"
#include "shared/module1.h"

namespace {

// Answers every message box at once: a picture needs no notice. Draws come
// from a script while it lasts, so a scene shows the problem it names.
class QuietPlatform : public tavri::Platform {
 public:
  tavri::MessageAnswer MsgBox(const tavri::MessageBoxSpec&) override {
    return tavri::MessageAnswer::Ok;
  }
  void Beep() override {}
  void Randomize() override { random_.Randomize(); }
  float Rnd() override {
    if (script_.empty()) return random_.Next();
    float next = script_.front();
    script_.pop_front();
    return next;
  }
  void Script(std::initializer_list<float> draws) { script_.insert(script_.end(), draws); }

 private:
  tavri::ClockRandom random_;
  std::deque<float> script_;
};

// Draws that make y = a·x (kind 0), y = a / x (1) or y = ax + b (2).
constexpr float kKind0 = 0.1f, kKind1 = 0.5f, kKind2 = 0.9f;
// floor(9r) - 4 = a for a in -4..4 (not 0).
constexpr float CoefficientDraw(int a) { return (a + 4 + 0.5f) / 9.0f; }

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
  // Each scene plays on a game window of its own, loaded unless it shows the
  // design state, then drawn and saved.
  auto scene = [&](const char* file, bool load, const std::function<void(tavri::Form1&)>& play) {
    tavri::Module1 module;
    tavri::Form1 form(module, platform, windows);
    tavri::Form1Window window(form);
    if (load) window.Load();
    play(form);
    window.Render();
    ok = Save(window, folder, file) && ok;
  };
  scene("form1_design.png", false, [](tavri::Form1&) {});
  scene("form1.png", true, [](tavri::Form1&) {});
  scene("form1_inverse.png", true, [&](tavri::Form1& form) {
    // y = -12 / x: the middle column has no y.
    platform.Script({kKind1, 0.5f, 0.2f});
    form.Command1_Click();
    for (int tick = 0; tick < 3; ++tick) form.Timer1_Timer();
  });
  scene("form1_linear_entry.png", true, [&](tavri::Form1& form) {
    // y = 3x - 2 on １～５, relationship chosen at 9 points, a typed.
    form.en_Click(1);
    platform.Script({kKind2, CoefficientDraw(3), CoefficientDraw(-2)});
    form.Command1_Click();
    form.Timer1_Timer();
    form.kotae_Click(2);
    form.TextA1.Text = "3";
    form.TextB.Text = "-2";
  });
  scene("form1_marks.png", true, [&](tavri::Form1& form) {
    // A whole game: right, right with a wrong formula, wrong, right, and a
    // time-out.
    for (int problem = 0; problem < 5; ++problem) platform.Script({kKind0, CoefficientDraw(2)});
    auto answer = [&](const char* a) {
      form.kotae_Click(0);
      form.TextA1.Text = a;
      form.TextA1_KeyPress(13);
    };
    form.Command1_Click();
    answer("2");
    form.Timer1_Timer();
    answer("-2");
    form.kotae_Click(1);
    for (int tick = 0; tick < 4; ++tick) form.Timer1_Timer();
    answer("2");
    for (int tick = 0; tick < 11; ++tick) form.Timer1_Timer();
  });
  {
    tavri::Form2Window help([] {});
    ok = Save(help, folder, "form2.png") && ok;
  }
  return ok ? 0 : 1;
}
