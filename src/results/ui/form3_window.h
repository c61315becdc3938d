// The results window on screen: built from the design table, it forwards
// every event to the core's handler of the same name and draws the state
// the core holds.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "results/core/form3.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavri {

class Form3Window : public QDialog, private Form3Host {
  Q_OBJECT

 public:
  // Creating the window loads it: the list is read and the score placed.
  Form3Window(Module1& module, Platform& platform, FileSystem& files, std::string resultsPath,
              QWidget* owner = nullptr);
  ~Form3Window() override;

  Form3& core() { return *core_; }

  // Closes the window without running any of its handlers, so nothing is
  // stored: Exit, or a game end that replaces a list opened for viewing.
  void Discard();

  // Element `index` of a label (array), by its design name.
  QLabel* label(const QString& name, int index = 0) const;
  QPushButton* button(const QString& name) const;
  QLineEdit* text1() const { return text1_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void UnloadForm3() override;
  void Build();
  void AddArrayRows();
  void Draw();

  std::unique_ptr<Form3> core_;
  std::map<QString, std::vector<QLabel*>> labels_;
  std::map<QString, QPushButton*> buttons_;
  QLineEdit* text1_ = nullptr;
};

}  // namespace tavri
