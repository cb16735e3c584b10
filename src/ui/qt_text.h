// GBK texts at the Qt boundary: the layer keeps GBK, Qt works in UTF-16.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "ui/gbk.h"

namespace quorvel {

inline QString FromGbk(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

inline std::string ToGbk(const QString& text) { return Utf8ToGbk(text.toStdString()); }

}  // namespace quorvel
