#include "shared/win32/message_boxes.h"

#include "shared/win32/wide_text.h"

namespace tavri::win32 {

UINT MessageBoxStyle(const Message& message) {
  UINT style = message.icon == MessageIcon::Question ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
  style |= message.buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
  if (message.defaultButton == 1) style |= MB_DEFBUTTON2;
  return style;
}

MessageAnswer AnswerOf(int result) {
  return result == IDCANCEL ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

void SystemMessageBoxes::Show(HWND owner, const Message& message, Answered answered) {
  // The text keeps its carriage returns: MessageBoxW breaks the line there.
  answered(AnswerOf(MessageBoxW(owner, Widen(message.text).c_str(), Widen(message.title).c_str(),
                                MessageBoxStyle(message))));
}

}  // namespace tavri::win32
