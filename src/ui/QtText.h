#pragma once
// QtText: the one conversion between the program's UTF-8 strings and Qt's QString at the windows'
// edge. Free functions over values; nothing is owned.
#include <QString>
#include <string>
#include <string_view>

namespace trakvella {

inline QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace trakvella
