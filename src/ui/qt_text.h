#pragma once
// The flows hand the windows UTF-8 texts; Qt takes them as QString.

#include <QString>
#include <string_view>

namespace ostrel::ui {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace ostrel::ui
