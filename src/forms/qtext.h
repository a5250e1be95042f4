// Code page 932 <-> QString at the window edge.
#pragma once

#include <QString>
#include <string>

#include "text/encoding.h"

namespace zor {

inline QString Qs(const std::string& sjis) { return QString::fromStdString(Cp932ToUtf8(sjis)); }
inline std::string SjOf(const QString& s) { return Utf8ToCp932(s.toStdString()); }

}  // namespace zor
