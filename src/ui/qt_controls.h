// The controls of the Qt binding: making each kind's widget from its stored properties,
// applying a property written later, and reading the properties that live in the widget.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QWidget>
#include <functional>
#include <optional>

#include "ui/platform_binding.h"

namespace quorvel {

// A label painted by the layer itself: filled with its background colour, then its text in
// its text colour on one line (unless word wrap is on), aligned as stored and clipped to its
// rectangle; "&" is an ordinary character.
class LabelWidget : public QWidget {
 public:
  explicit LabelWidget(QWidget* parent) : QWidget(parent) {}

  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  void SetColours(const QColor& text, const QColor& background);
  void SetLayout(int horizontal, int vertical, bool word_wrap);
  int TextFlags() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QColor text_colour_;
  QColor background_;
  int horizontal_ = 0;
  int vertical_ = 1;
  bool word_wrap_ = false;
};

// A push button whose caption is aligned as stored and wraps onto further lines when it does
// not fit its width.
class CaptionButton : public QPushButton {
 public:
  explicit CaptionButton(QWidget* parent) : QPushButton(parent) {}

  void SetAlignment(int horizontal, int vertical);
  int CaptionFlags() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int horizontal_ = 1;
  int vertical_ = 1;
};

// Lines of a combo box's list: the font's line height plus the stored line spacing.
class ListLineDelegate : public QStyledItemDelegate {
 public:
  explicit ListLineDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
  void SetSpacing(int spacing) { spacing_ = spacing; }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int spacing_ = 0;
};

// Raised with the control's identifier when a button is clicked.
using ClickReport = std::function<void(std::uint32_t control_id)>;

// Makes the widget of `control`, hidden, with every stored property applied.
QWidget* MakeControlWidget(const LoadedControl& control, QWidget* window, const ClickReport& click);

// Makes property `number` of `control` take effect on its widget.
void ApplyControlProperty(QWidget* widget, const LoadedControl& control, std::int32_t number);

// The value of a property that lives in the widget, or nothing to use the stored one.
std::optional<PropertyValue> ReadControlProperty(const QWidget* widget,
                                                 const LoadedControl& control, std::int32_t number);

// The cursor shape of a stored mouse pointer number; 0 (and an unknown number) gives the
// kind's usual pointer, reported as nothing.
std::optional<Qt::CursorShape> PointerShape(std::int32_t pointer);

// The lowest height of a single-line edit box in `font`: the text height plus twice the
// three-dimensional edge.
int MinimumEditHeight(const QFont& font);

// The selection a combo box shows for a stored index: above the last item the last item,
// below -1 none.
int ClampSelection(std::int32_t index, int item_count);

}  // namespace quorvel
