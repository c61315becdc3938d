#include "results/ui/form3_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "results/ui/form3_design.h"

namespace tavri {

namespace {

QString ElementName(const QString& name, int index) {
  return QStringLiteral("%1(%2)").arg(name).arg(index);
}

void Colour(QWidget* widget, const ControlDesign& design, QPalette::ColorRole backRole,
            QPalette::ColorRole foreRole) {
  QPalette palette = widget->palette();
  if (design.back) {
    palette.setColor(backRole, *design.back);
    widget->setAutoFillBackground(true);
  }
  if (design.fore) palette.setColor(foreRole, *design.fore);
  widget->setPalette(palette);
}

}  // namespace

Form3Window::Form3Window(Module1& module, Platform& platform, FileSystem& files,
                         std::string resultsPath, QWidget* owner)
    : QDialog(owner),
      core_(std::make_unique<Form3>(module, platform, static_cast<Form3Host&>(*this), files,
                                    std::move(resultsPath))) {
  setAttribute(Qt::WA_DeleteOnClose);
  Build();
  core_->Form_Load();
  AddArrayRows();
  Draw();
}

Form3Window::~Form3Window() = default;

void Form3Window::Build() {
  const WindowDesign& design = Form3Design();
  setWindowTitle(design.caption);
  // The layout does not follow a change of size, so the size is fixed.
  setFixedSize(TwipsToPixels(design.clientWidth), TwipsToPixels(design.clientHeight));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, design.background);
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(WindowFont());

  for (const ControlDesign& control : design.controls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::Label: {
        auto* label = new QLabel(this);
        label->setAlignment(control.align);
        label->setWordWrap(!control.autoSize);
        Colour(label, control, QPalette::Window, QPalette::WindowText);
        labels_[control.name].push_back(label);
        label->setObjectName(ElementName(control.name, 0));
        widget = label;
        break;
      }
      case ControlKind::Button: {
        auto* button = new QPushButton(this);
        buttons_[control.name] = button;
        button->setObjectName(control.name);
        widget = button;
        break;
      }
      case ControlKind::TextBox: {
        text1_ = new QLineEdit(this);
        Colour(text1_, control, QPalette::Base, QPalette::Text);
        text1_->setObjectName(control.name);
        text1_->installEventFilter(this);
        widget = text1_;
        break;
      }
      case ControlKind::Line: {
        widget = new QWidget(this);
        widget->setObjectName(control.name);
        QPalette linePalette = widget->palette();
        linePalette.setColor(QPalette::Window, control.fore.value_or(Qt::black));
        widget->setPalette(linePalette);
        widget->setAutoFillBackground(true);
        break;
      }
    }
    widget->setGeometry(PixelRect(control));
    widget->setFont(control.points > 0 ? DesignFont(control.points, control.bold) : WindowFont());
  }

  // Focus order as designed: the name box, 戻る, 初期化.
  QWidget::setTabOrder(text1_, buttons_["Command1"]);
  QWidget::setTabOrder(buttons_["Command1"], buttons_["Command2"]);
  for (QLabel* label : findChildren<QLabel*>()) label->setFocusPolicy(Qt::NoFocus);

  connect(buttons_["Command1"], &QPushButton::clicked, this, [this] {
    core_->Command1_Click();
    Draw();
  });
  connect(buttons_["Command2"], &QPushButton::clicked, this, [this] {
    core_->Command2_Click();
    Draw();
  });
  connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) {
    core_->Text1.Text = text.toStdString();
    core_->Text1_Change();
    Draw();
  });
}

void Form3Window::AddArrayRows() {
  // Each further element copies element 0 and stands kRowStep pixels below
  // the one before it.
  const auto add = [this](const QString& name, std::size_t count) {
    std::vector<QLabel*>& elements = labels_[name];
    QLabel* first = elements.front();
    for (std::size_t i = elements.size(); i < count; ++i) {
      auto* copy = new QLabel(this);
      copy->setObjectName(ElementName(name, static_cast<int>(i)));
      copy->setAlignment(first->alignment());
      copy->setWordWrap(first->wordWrap());
      copy->setFont(first->font());
      copy->setPalette(first->palette());
      copy->setAutoFillBackground(first->autoFillBackground());
      copy->setFocusPolicy(Qt::NoFocus);
      copy->setGeometry(first->geometry().translated(0, Form3::kRowStep * static_cast<int>(i)));
      elements.push_back(copy);
    }
  };
  add("jyun", core_->jyun.size());
  add("namae", core_->namae.size());
  add("jikan", core_->jikan.size());
  add("jyun1", core_->jyun1.size());
  add("jikan1", core_->jikan1.size());
}

void Form3Window::Draw() {
  const auto drawLabel = [this](const QString& name, const Label& state, std::size_t index = 0) {
    QLabel* label = labels_.at(name).at(index);
    label->setText(QString::fromStdString(state.Caption));
    label->setVisible(state.Visible);
    // An auto-sized label keeps its left and top and fits its caption.
    const ControlDesign* design = nullptr;
    for (const ControlDesign& control : Form3Design().controls)
      if (control.name == name) design = &control;
    if (design && design->autoSize) label->adjustSize();
  };
  const auto drawArray = [&](const QString& name, const std::vector<Label>& states) {
    for (std::size_t i = 0; i < states.size() && i < labels_.at(name).size(); ++i)
      drawLabel(name, states[i], i);
  };
  Form3& f = *core_;
  drawLabel("Label1", f.Label1);
  drawLabel("Label4", f.Label4);
  drawLabel("enz0", f.enz0);
  drawArray("jyun", f.jyun);
  drawArray("namae", f.namae);
  drawArray("jikan", f.jikan);
  drawLabel("Label3", f.Label3);
  drawArray("jyun1", f.jyun1);
  drawArray("jikan1", f.jikan1);
  drawLabel("Label2", f.Label2);
  drawLabel("jikan9", f.jikan9);
  drawLabel("Label6", f.Label6);
  const auto drawButton = [this](const QString& name, const CommandButton& state) {
    QPushButton* button = buttons_.at(name);
    button->setText(QString::fromStdString(state.Caption));
    button->setVisible(state.Visible);
    button->setEnabled(state.Enabled);
  };
  drawButton("Command1", f.Command1);
  drawButton("Command2", f.Command2);
  text1_->setVisible(f.Text1.Visible);
  findChild<QWidget*>("Line1")->setVisible(f.Line1.Visible);
  findChild<QWidget*>("Line2")->setVisible(f.Line2.Visible);
  findChild<QWidget*>("Line3")->setVisible(f.Line3.Visible);
}

void Form3Window::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The focus starts on the first control of the focus order that is shown.
  if (text1_->isVisible())
    text1_->setFocus();
  else
    buttons_["Command1"]->setFocus();
}

QLabel* Form3Window::label(const QString& name, int index) const {
  auto found = labels_.find(name);
  if (found == labels_.end() || index < 0 || index >= static_cast<int>(found->second.size()))
    return nullptr;
  return found->second[static_cast<std::size_t>(index)];
}

QPushButton* Form3Window::button(const QString& name) const {
  auto found = buttons_.find(name);
  return found == buttons_.end() ? nullptr : found->second;
}

bool Form3Window::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      core_->Text1_KeyPress(13);
      Draw();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Form3Window::keyPressEvent(QKeyEvent* event) {
  // The window has no cancel button: Escape does not close it.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void Form3Window::closeEvent(QCloseEvent* event) {
  // The close box of the title bar; a close the core asked for has run its
  // handler already.
  if (!core_->Unloaded()) core_->CloseBox_Click();
  QDialog::closeEvent(event);
}

void Form3Window::UnloadForm3() { close(); }

void Form3Window::Discard() {
  core_->Discard();
  close();
}

}  // namespace tavri
