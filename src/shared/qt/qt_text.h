// Texts between the core (UTF-8) and Qt, and captions that stay as written.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tavri {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

// Buttons, frames and menu items would turn an "&" into an access key; the
// game's captions mean the character itself.
inline QString LiteralCaption(const QString& caption) {
  QString escaped = caption;
  escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
  return escaped;
}

}  // namespace tavri
