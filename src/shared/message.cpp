#include "shared/message.h"

#include <utility>

namespace tavri {

Message Notice(MessageKind kind, std::string title, std::string text) {
  return Message{kind, std::move(title), std::move(text), MessageIcon::Exclamation,
                 MessageButtons::Ok, 0};
}

}  // namespace tavri
