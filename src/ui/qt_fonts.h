// Fonts for the Qt binding. The system's typeface is "宋体" (SimSun); where it is missing an
// installed typeface that shows Chinese text takes its place at the same pixel height and
// weight.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "ui/window_description.h"

namespace quorvel {

// The installed family that stands for "宋体": SimSun itself if present, else a typeface
// covering Simplified Chinese (WenQuanYi Micro Hei preferred).
QString ChineseFamily();

// The platform's default GUI font: the Chinese family at 12 pixels, normal weight.
QFont DefaultGuiFont();

// The font a stored font stands for; none gives the default GUI font.
QFont MakeFont(const std::optional<Font>& stored);

// A stored colour; kNoColour gives the style's button-face colour.
QColor MakeColour(std::int32_t colour);

}  // namespace quorvel
