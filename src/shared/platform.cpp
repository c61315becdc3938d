#include "shared/platform.h"

#include <utility>

namespace tavri {

MessageBoxSpec Notice(std::string title, std::string text) {
  return MessageBoxSpec{std::move(title), std::move(text),
                        MessageIcon::Exclamation, MessageButtons::Ok, 0};
}

}  // namespace tavri
