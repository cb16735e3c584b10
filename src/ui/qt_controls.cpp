#include "ui/qt_controls.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <array>

#include "ui/qt_fonts.h"
#include "ui/qt_text.h"

namespace quorvel {
namespace {

// The kinds' own property numbers that the binding acts on.
namespace edit {
constexpr std::int32_t kContent = 8;
constexpr std::int32_t kBorder = 9;
constexpr std::int32_t kTextColour = 10;
constexpr std::int32_t kBackground = 11;
constexpr std::int32_t kFont = 12;
constexpr std::int32_t kMaximumLength = 14;
constexpr std::int32_t kAlignment = 17;
constexpr std::int32_t kInputMode = 18;
constexpr std::int32_t kSelectionStart = 24;
constexpr std::int32_t kSelectionLength = 25;
constexpr std::int32_t kSelectedText = 26;
}  // namespace edit

namespace combo {
constexpr std::int32_t kType = 8;
constexpr std::int32_t kContent = 9;
constexpr std::int32_t kSelectedText = 13;
constexpr std::int32_t kLineSpacing = 15;
constexpr std::int32_t kTextColour = 16;
constexpr std::int32_t kBackground = 17;
constexpr std::int32_t kFont = 18;
constexpr std::int32_t kSelection = 19;
constexpr std::int32_t kItems = 20;
constexpr std::int32_t kDropDownList = 2;
// A drop-down combo box is at least this high with its list open.
constexpr int kLeastOpenHeight = 160;
}  // namespace combo

namespace button {
constexpr std::int32_t kCaption = 10;
constexpr std::int32_t kHorizontal = 11;
constexpr std::int32_t kVertical = 12;
constexpr std::int32_t kFont = 13;
}  // namespace button

namespace label {
constexpr std::int32_t kText = 8;
constexpr std::int32_t kFont = 15;
constexpr std::int32_t kTextColour = 16;
constexpr std::int32_t kBackground = 17;
constexpr std::int32_t kHorizontal = 24;
constexpr std::int32_t kWordWrap = 25;
constexpr std::int32_t kVertical = 26;
}  // namespace label

// The platform's three-dimensional edge is 2 pixels thick.
constexpr int kEdgeThickness = 2;
// Without a length limit of its own an edit box takes the platform's limit.
constexpr int kPlatformTextLimit = 32767;

Qt::Alignment HorizontalAlignment(int stored) {
  switch (stored) {
    case 1:
      return Qt::AlignHCenter;
    case 2:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

Qt::Alignment VerticalAlignment(int stored) {
  switch (stored) {
    case 0:
      return Qt::AlignTop;
    case 2:
      return Qt::AlignBottom;
    default:
      return Qt::AlignVCenter;
  }
}

// Text positions count GBK bytes, as the system's texts do.
int GbkLength(const QString& text) { return static_cast<int>(ToGbk(text).size()); }

int IndexOfGbkOffset(const QString& text, int offset) {
  int bytes = 0;
  int index = 0;
  while (index < text.size() && bytes < offset) {
    const int width = text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    bytes += GbkLength(text.mid(index, width));
    index += width;
  }
  return index;
}

void SetColourRoles(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                    const QColor& colour) {
  QPalette palette = widget->palette();
  for (const QPalette::ColorRole role : roles) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, role, colour);
    }
  }
  widget->setPalette(palette);
}

void ApplyGeometry(QWidget* widget, const LoadedControl& control) {
  const int left = control.Integer(kLeft);
  const int top = control.Integer(kTop);
  const int width = control.Integer(kWidth);
  int height = control.Integer(kHeight);
  if (control.kind() == ControlKind::kEditBox) {
    height = std::max(height, MinimumEditHeight(widget->font()));
  } else if (control.kind() == ControlKind::kComboBox) {
    // The stored height covers the open list; the closed box is as high as its font needs.
    auto* box = static_cast<QComboBox*>(widget);
    const int open_height = std::max(height, combo::kLeastOpenHeight);
    height = box->sizeHint().height();
    const int line = QFontMetrics(box->font()).height() + control.Integer(combo::kLineSpacing);
    box->setMaxVisibleItems(std::max(1, (open_height - height) / std::max(1, line)));
  }
  widget->setGeometry(left, top, width, height);
}

void ApplyEdit(QLineEdit* box, const LoadedControl& control, std::int32_t number) {
  switch (number) {
    case edit::kContent:
      box->setText(FromGbk(control.Text(number)));
      box->setCursorPosition(0);
      break;
    case edit::kBorder:
      box->setFrame(control.Integer(number) != 0);
      break;
    case edit::kTextColour:
      SetColourRoles(box, {QPalette::Text}, MakeColour(control.Integer(number)));
      break;
    case edit::kBackground:
      SetColourRoles(box, {QPalette::Base}, MakeColour(control.Integer(number)));
      break;
    case edit::kFont:
      box->setFont(MakeFont(control.FontAt(number)));
      ApplyGeometry(box, control);
      break;
    case edit::kMaximumLength: {
      const int limit = control.Integer(number);
      box->setMaxLength(limit > 0 ? limit : kPlatformTextLimit);
      break;
    }
    case edit::kAlignment:
      box->setAlignment(HorizontalAlignment(control.Integer(number)) | Qt::AlignVCenter);
      break;
    case edit::kInputMode: {
      // 1 read-only, 2 password; every other mode accepts every character.
      const int mode = control.Integer(number);
      box->setReadOnly(mode == 1);
      box->setEchoMode(mode == 2 ? QLineEdit::Password : QLineEdit::Normal);
      break;
    }
    case edit::kSelectionStart:
    case edit::kSelectionLength: {
      const QString text = box->text();
      const int start = IndexOfGbkOffset(text, control.Integer(edit::kSelectionStart));
      const int end = IndexOfGbkOffset(
          text, control.Integer(edit::kSelectionStart) + control.Integer(edit::kSelectionLength));
      box->setSelection(start, std::max(0, end - start));
      break;
    }
    case edit::kSelectedText:
      box->insert(FromGbk(control.Text(number)));
      break;
    default:
      break;
  }
}

void ApplyCombo(QComboBox* box, const LoadedControl& control, std::int32_t number) {
  switch (number) {
    case combo::kType:
      box->setEditable(control.Integer(number) != combo::kDropDownList);
      break;
    case combo::kContent:
      if (box->isEditable()) box->setEditText(FromGbk(control.Text(number)));
      break;
    case combo::kSelectedText:
      if (box->isEditable()) box->lineEdit()->insert(FromGbk(control.Text(number)));
      break;
    case combo::kLineSpacing:
      static_cast<ListLineDelegate*>(box->itemDelegate())->SetSpacing(control.Integer(number));
      ApplyGeometry(box, control);
      break;
    case combo::kTextColour:
      SetColourRoles(box, {QPalette::Text, QPalette::ButtonText},
                     MakeColour(control.Integer(number)));
      break;
    case combo::kBackground:
      SetColourRoles(box, {QPalette::Base, QPalette::Button}, MakeColour(control.Integer(number)));
      break;
    case combo::kFont:
      box->setFont(MakeFont(control.FontAt(number)));
      box->view()->setFont(box->font());
      ApplyGeometry(box, control);
      break;
    case combo::kSelection:
      box->setCurrentIndex(ClampSelection(control.Integer(number), box->count()));
      break;
    case combo::kItems: {
      const int selection = box->currentIndex();
      box->clear();
      for (const std::string& item : control.Items(number)) box->addItem(FromGbk(item));
      box->setCurrentIndex(ClampSelection(selection, box->count()));
      break;
    }
    default:
      break;
  }
}

void ApplyButton(CaptionButton* button, const LoadedControl& control, std::int32_t number) {
  switch (number) {
    case button::kCaption:
      button->setText(FromGbk(control.Text(number)));
      break;
    case button::kHorizontal:
    case button::kVertical:
      button->SetAlignment(control.Integer(button::kHorizontal),
                           control.Integer(button::kVertical));
      break;
    case button::kFont:
      button->setFont(MakeFont(control.FontAt(number)));
      break;
    default:
      break;
  }
}

void ApplyLabel(LabelWidget* widget, const LoadedControl& control, std::int32_t number) {
  switch (number) {
    case label::kText:
      widget->SetText(FromGbk(control.Text(number)));
      break;
    case label::kFont:
      widget->setFont(MakeFont(control.FontAt(number)));
      widget->update();
      break;
    case label::kTextColour:
    case label::kBackground:
      widget->SetColours(MakeColour(control.Integer(label::kTextColour)),
                         MakeColour(control.Integer(label::kBackground)));
      break;
    case label::kHorizontal:
    case label::kWordWrap:
    case label::kVertical:
      widget->SetLayout(control.Integer(label::kHorizontal), control.Integer(label::kVertical),
                        control.Integer(label::kWordWrap) != 0);
      break;
    default:
      break;
  }
}

}  // namespace

void LabelWidget::SetText(const QString& text) {
  text_ = text;
  update();
}

void LabelWidget::SetColours(const QColor& text, const QColor& background) {
  text_colour_ = text;
  background_ = background;
  update();
}

void LabelWidget::SetLayout(int horizontal, int vertical, bool word_wrap) {
  horizontal_ = horizontal;
  vertical_ = vertical;
  word_wrap_ = word_wrap;
  update();
}

int LabelWidget::TextFlags() const {
  const Qt::Alignment alignment = HorizontalAlignment(horizontal_) | VerticalAlignment(vertical_);
  return static_cast<int>(alignment) | (word_wrap_ ? Qt::TextWordWrap : Qt::TextSingleLine);
}

void LabelWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  painter.setClipRect(rect());
  painter.setFont(font());
  painter.setPen(text_colour_);
  painter.drawText(rect(), TextFlags(), text_);
}

void CaptionButton::SetAlignment(int horizontal, int vertical) {
  horizontal_ = horizontal;
  vertical_ = vertical;
  update();
}

int CaptionButton::CaptionFlags() const {
  const Qt::Alignment alignment = HorizontalAlignment(horizontal_) | VerticalAlignment(vertical_);
  return static_cast<int>(alignment) | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();  // the bevel and focus frame come from the style, the caption from here
  painter.drawControl(QStyle::CE_PushButton, option);
  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (isDown()) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  style()->drawItemText(&painter, area, CaptionFlags(), option.palette, isEnabled(), caption,
                        QPalette::ButtonText);
}

QSize ListLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(QFontMetrics(option.font).height() + spacing_);
  return size;
}

QWidget* MakeControlWidget(const LoadedControl& control, QWidget* window,
                           const ClickReport& click) {
  QWidget* widget = nullptr;
  switch (control.kind()) {
    case ControlKind::kEditBox: {
      auto* box = new QLineEdit(window);
      box->setFont(DefaultGuiFont());
      widget = box;
      break;
    }
    case ControlKind::kComboBox: {
      auto* box = new QComboBox(window);
      box->setFont(DefaultGuiFont());
      box->setItemDelegate(new ListLineDelegate(box));
      box->setInsertPolicy(QComboBox::NoInsert);
      widget = box;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new CaptionButton(window);
      button->setFont(DefaultGuiFont());
      // Enter never presses a button of the window; only a click or Space does.
      button->setAutoDefault(false);
      button->setDefault(false);
      QObject::connect(button, &QPushButton::clicked, [click, id = control.id()] { click(id); });
      widget = button;
      break;
    }
    case ControlKind::kLabel:
      widget = new LabelWidget(window);
      widget->setFont(DefaultGuiFont());
      break;
    case ControlKind::kWindow:
      return nullptr;
  }
  widget->hide();
  widget->setFocusPolicy(control.description->takes_focus ? Qt::StrongFocus : Qt::NoFocus);
  // Everything but visibility, which the window services turn on after stacking. The kind's
  // own properties come first, so that the font is set before the geometry depends on it.
  const auto count = static_cast<std::int32_t>(control.properties.size());
  for (std::int32_t number = kFirstKindProperty; number < count; ++number) {
    ApplyControlProperty(widget, control, number);
  }
  for (std::int32_t number = 0; number < kFirstKindProperty; ++number) {
    if (number != kVisible) ApplyControlProperty(widget, control, number);
  }
  // The stored selection picks among the items, which come after it in number order.
  if (control.kind() == ControlKind::kComboBox) {
    ApplyControlProperty(widget, control, combo::kSelection);
  }
  return widget;
}

void ApplyControlProperty(QWidget* widget, const LoadedControl& control, std::int32_t number) {
  switch (number) {
    case kLeft:
    case kTop:
    case kWidth:
    case kHeight:
      ApplyGeometry(widget, control);
      return;
    case kTag:
      return;
    case kVisible:
      widget->setVisible(control.Integer(number) != 0);
      return;
    case kDisabled:
      widget->setEnabled(control.Integer(number) == 0);
      return;
    case kMousePointer:
      if (const auto shape = PointerShape(control.Integer(number))) {
        widget->setCursor(*shape);
      } else {
        widget->unsetCursor();
      }
      return;
    default:
      break;
  }
  switch (control.kind()) {
    case ControlKind::kEditBox:
      ApplyEdit(static_cast<QLineEdit*>(widget), control, number);
      break;
    case ControlKind::kComboBox:
      ApplyCombo(static_cast<QComboBox*>(widget), control, number);
      break;
    case ControlKind::kButton:
      ApplyButton(static_cast<CaptionButton*>(widget), control, number);
      break;
    case ControlKind::kLabel:
      ApplyLabel(static_cast<LabelWidget*>(widget), control, number);
      break;
    case ControlKind::kWindow:
      break;
  }
}

std::optional<PropertyValue> ReadControlProperty(const QWidget* widget,
                                                 const LoadedControl& control,
                                                 std::int32_t number) {
  if (control.kind() == ControlKind::kEditBox) {
    const auto* box = static_cast<const QLineEdit*>(widget);
    const QString text = box->text();
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    switch (number) {
      case edit::kContent:
        return ToGbk(text);
      case edit::kSelectionStart:
        return GbkLength(text.left(start));
      case edit::kSelectionLength:
        return GbkLength(box->selectedText());
      case edit::kSelectedText:
        return ToGbk(box->selectedText());
      default:
        return std::nullopt;
    }
  }
  if (control.kind() == ControlKind::kComboBox) {
    const auto* box = static_cast<const QComboBox*>(widget);
    switch (number) {
      case combo::kSelection:
        return box->currentIndex();
      case combo::kContent:
        return ToGbk(box->currentText());
      case combo::kSelectedText:
        return box->isEditable() ? ToGbk(box->lineEdit()->selectedText()) : std::string();
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<Qt::CursorShape> PointerShape(std::int32_t pointer) {
  // 1 arrow, 2 cross, 3 I-beam, 4 pointing hand, 5 move, 6 to 9 the sizing arrows (NE-SW,
  // N-S, NW-SE, W-E), 10 up arrow, 11 wait, 12 busy, 13 help, 14 forbidden.
  static constexpr std::array<Qt::CursorShape, 14> kShapes = {
      Qt::ArrowCursor,     Qt::CrossCursor,     Qt::IBeamCursor,   Qt::PointingHandCursor,
      Qt::SizeAllCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor,
      Qt::SizeHorCursor,   Qt::UpArrowCursor,   Qt::WaitCursor,    Qt::BusyCursor,
      Qt::WhatsThisCursor, Qt::ForbiddenCursor,
  };
  if (pointer < 1 || pointer > static_cast<std::int32_t>(kShapes.size())) return std::nullopt;
  return kShapes[static_cast<std::size_t>(pointer - 1)];
}

int MinimumEditHeight(const QFont& font) {
  return QFontMetrics(font).height() + 2 * kEdgeThickness;
}

int ClampSelection(std::int32_t index, int item_count) {
  if (index < -1) return -1;
  return std::min(index, item_count - 1);
}

}  // namespace quorvel
