#include "ui/qt_fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdlib>

#include "ui/qt_text.h"

namespace quorvel {
namespace {

constexpr int kDefaultGuiPixelSize = 12;

bool Installed(const QString& family) {
  return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

// "宋体" as GBK: the face name the descriptions store.
QString SongFace() { return FromGbk("\xCB\xCE\xCC\xE5"); }

QString ResolveFamily(const QString& face) {
  if (face.isEmpty()) return ChineseFamily();
  if (face == SongFace() || face.compare(QStringLiteral("SimSun"), Qt::CaseInsensitive) == 0) {
    return ChineseFamily();
  }
  return Installed(face) ? face : ChineseFamily();
}

}  // namespace

QString ChineseFamily() {
  static const QString family = [] {
    const std::array<QString, 7> preferred = {
        SongFace(),
        QStringLiteral("SimSun"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Droid Sans Fallback"),
    };
    for (const QString& candidate : preferred) {
      if (Installed(candidate)) return candidate;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? SongFace() : chinese.front();
  }();
  return family;
}

QFont DefaultGuiFont() {
  QFont font(ChineseFamily());
  font.setPixelSize(kDefaultGuiPixelSize);
  font.setWeight(QFont::Normal);
  return font;
}

QFont MakeFont(const std::optional<Font>& stored) {
  if (!stored) return DefaultGuiFont();
  QFont font(ResolveFamily(FromGbk(stored->face_gbk)));
  // A negative height counts the same pixels; 0 asks for the default size.
  const int height = stored->height == 0 ? kDefaultGuiPixelSize : std::abs(stored->height);
  font.setPixelSize(height);
  const int weight = stored->weight <= 0 ? 400 : std::clamp(stored->weight, 1, 1000);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(stored->italic);
  font.setUnderline(stored->underline);
  font.setStrikeOut(stored->strike_out);
  return font;
}

QColor MakeColour(std::int32_t colour) {
  if (colour == kNoColour) return QApplication::palette().color(QPalette::Button);
  const auto rgb = static_cast<std::uint32_t>(colour);
  return {static_cast<int>(rgb & 0xFFU), static_cast<int>((rgb >> 8U) & 0xFFU),
          static_cast<int>((rgb >> 16U) & 0xFFU)};
}

}  // namespace quorvel
