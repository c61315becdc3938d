#include "results/ui/form3_design.h"

#include <cmath>

namespace tavri {

namespace {

const QColor kLightGreen(128, 255, 128);
const QColor kDarkGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kDarkBlue(0, 0, 192);
const QColor kCyan(0, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kDarkTeal(0, 64, 64);
const QColor kLightBlue(128, 128, 255);
const QColor kBlack(0, 0, 0);

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;

}  // namespace

const WindowDesign& Form3Design() {
  using K = ControlKind;
  static const WindowDesign design{
      "Ranvik(Orsel)",
      4080,
      6270,
      kLightGreen,
      {
          {"Label1", K::Label, 120, 120, 1695, 405, 20.25, true, kDarkGreen, kRed, kLeft, true},
          {"Command2", K::Button, 3240, 120, 732, 372, 0, false, {}, {}, kCentre, false},
          {"Label4", K::Label, 600, 600, 720, 285, 14.25, false, kLightGreen, kDarkBlue, kLeft, true},
          {"enz0", K::Label, 1560, 600, 1695, 255, 13.5, false, kLightGreen, {}, kCentre, false},
          {"jyun", K::Label, 240, 1200, 372, 372, 15.75, true, kLightGreen, {}, kCentre, false},
          {"namae", K::Label, 960, 1200, 1935, 375, 13.5, false, kLightGreen, {}, kLeft, false},
          {"jikan", K::Label, 3120, 1200, 615, 375, 15.75, true, kLightGreen, {}, kRight, false},
          {"Line2", K::Line, 120, 3600, 3840, 0, 0, false, {}, kBlack, kLeft, false},
          {"Line1", K::Line, 120, 3720, 3840, 0, 0, false, {}, kBlack, kLeft, false},
          {"Label3", K::Label, 120, 3840, 1920, 315, 15.75, true, kCyan, kBlue, kLeft, true},
          {"jyun1", K::Label, 2400, 3840, 375, 375, 15.75, true, kLightGreen, {}, kCentre, false},
          {"jikan1", K::Label, 3120, 3840, 615, 375, 15.75, true, kLightGreen, {}, kRight, false},
          {"Label2", K::Label, 240, 4440, 972, 252, 0, false, kLightGreen, kRed, kLeft, false},
          {"jikan9", K::Label, 480, 4800, 855, 375, 15.75, true, kLightGreen, {}, kRight, false},
          {"Line3", K::Line, 120, 5280, 3840, 0, 0, false, {}, kBlack, kLeft, false},
          {"Label6", K::Label, 120, 5400, 3852, 372, 12, false, kLightGreen, kDarkTeal, kLeft, false},
          {"Text1", K::TextBox, 1320, 5760, 1815, 405, 13.5, false, kLightBlue, {}, kLeft, false},
          {"Command1", K::Button, 3240, 5760, 732, 372, 10.5, false, {}, {}, kCentre, false},
      }};
  return design;
}

QRect PixelRect(const ControlDesign& control) {
  if (control.kind == ControlKind::Line) {
    // One pixel thick, along whichever axis the line runs.
    int width = control.width != 0 ? TwipsToPixels(control.width) : 1;
    int height = control.height != 0 ? TwipsToPixels(control.height) : 1;
    return QRect(TwipsToPixels(control.left), TwipsToPixels(control.top), width, height);
  }
  return QRect(TwipsToPixels(control.left), TwipsToPixels(control.top),
               TwipsToPixels(control.width), TwipsToPixels(control.height));
}

QFont WindowFont() { return DesignFont(9, false); }

}  // namespace tavri
