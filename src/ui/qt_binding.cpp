#include "ui/qt_binding.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

#include "ui/qt_controls.h"
#include "ui/qt_fonts.h"
#include "ui/qt_text.h"
#include "ui/window_layer.h"

namespace quorvel {
namespace {

// The window kind's own property numbers that the binding acts on.
constexpr std::int32_t kTitle = 8;
constexpr std::int32_t kBorderStyle = 9;
constexpr std::int32_t kBackground = 10;
constexpr std::int32_t kControlBox = 15;
constexpr std::int32_t kMaximiseButton = 16;
constexpr std::int32_t kMinimiseButton = 17;
constexpr std::int32_t kEscCloses = 22;
constexpr std::int32_t kShownInTaskbar = 26;
constexpr std::int32_t kAlwaysOnTop = 29;

// Border styles 1, 3 and 5 have a sizing border; 0 is none, the others are fixed frames.
bool Resizable(std::int32_t border_style) {
  return border_style == 1 || border_style == 3 || border_style == 5;
}

// The frame and title bar follow from the window's properties when it is created.
Qt::WindowFlags WindowFlagsOf(const LoadedControl& window) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  const bool control_box = window.Integer(kControlBox) != 0;
  if (window.Integer(kBorderStyle) == 0) {
    flags |= Qt::FramelessWindowHint;
  } else if (!window.Text(kTitle).empty() || control_box) {
    flags |= Qt::WindowTitleHint;
  }
  if (control_box) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (window.Integer(kMaximiseButton) != 0) flags |= Qt::WindowMaximizeButtonHint;
  if (window.Integer(kMinimiseButton) != 0) flags |= Qt::WindowMinimizeButtonHint;
  if (window.Integer(kAlwaysOnTop) != 0) flags |= Qt::WindowStaysOnTopHint;
  if (window.Integer(kShownInTaskbar) == 0) flags |= Qt::Tool;
  return flags;
}

QRect OuterRectOf(const LoadedControl& window) {
  return {window.Integer(kLeft), window.Integer(kTop), window.Integer(kWidth),
          window.Integer(kHeight)};
}

}  // namespace

QtBinding::~QtBinding() { Release(); }

ScreenGeometry QtBinding::PrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect whole = screen->geometry();
  return {whole.left(), whole.top(), whole.width(), whole.height()};
}

bool QtBinding::CreateWindow(const LoadedWindow& window, std::int32_t left, std::int32_t top,
                             std::span<const char* const* const> icon_xpm) {
  if (qApp == nullptr) return false;
  const std::uint32_t id = window.window.id();
  auto* widget = new LayerWindow(id, window.tab_order, [this](std::uint32_t closed) {
    windows_.erase(closed);
    WindowDestroyed(closed);
  });
  widget->setWindowFlags(WindowFlagsOf(window.window));
  widget->setAttribute(Qt::WA_QuitOnClose, false);  // the services decide when the loop ends
  QIcon icon;
  for (const char* const* image : icon_xpm) icon.addPixmap(QPixmap(image));
  widget->setWindowIcon(icon);
  windows_[id] = widget;
  widget->SetSizeFixed(!Resizable(window.window.Integer(kBorderStyle)));
  const std::int32_t count = PropertyCount(ControlKind::kWindow);
  for (std::int32_t number = kFirstKindProperty; number < count; ++number) {
    ApplyWindowProperty(widget, window.window, number);
  }
  ApplyWindowProperty(widget, window.window, kDisabled);
  ApplyWindowProperty(widget, window.window, kMousePointer);
  widget->SetOuterGeometry(
      QRect(left, top, window.window.Integer(kWidth), window.window.Integer(kHeight)));
  return true;
}

bool QtBinding::CreateControl(const LoadedWindow& window, const LoadedControl& control) {
  LayerWindow* widget = Window(window.window.id());
  if (widget == nullptr) return false;
  QWidget* made = MakeControlWidget(
      control, widget,
      [id = window.window.id()](std::uint32_t control_id) { DeliverEvent(id, control_id, 0); });
  if (made == nullptr) return false;
  widget->AddControl(control.id(), made);
  return true;
}

void QtBinding::StackControls(const LoadedWindow& window) {
  LayerWindow* widget = Window(window.window.id());
  if (widget == nullptr) return;
  // Raising from the last to the first leaves the first stored control on top.
  for (std::size_t i = window.controls.size(); i-- > 0;) {
    if (QWidget* made = widget->Control(window.controls[i].id())) made->raise();
  }
  // Qt's own focus chain follows the tab order too.
  QWidget* previous = nullptr;
  for (const std::uint32_t control_id : window.tab_order) {
    QWidget* next = widget->Control(control_id);
    if (previous != nullptr && next != nullptr) QWidget::setTabOrder(previous, next);
    if (next != nullptr) previous = next;
  }
}

void QtBinding::ShowControl(const LoadedWindow& window, const LoadedControl& control) {
  LayerWindow* widget = Window(window.window.id());
  if (widget == nullptr) return;
  if (QWidget* made = widget->Control(control.id())) made->setVisible(true);
}

void QtBinding::ShowWindow(const LoadedWindow& window) {
  LayerWindow* widget = Window(window.window.id());
  if (widget == nullptr) return;
  widget->FocusFirst();
  widget->show();
  widget->raise();
  widget->activateWindow();
  widget->FocusFirst();
}

std::optional<PropertyValue> QtBinding::ReadLive(const LoadedWindow& window,
                                                 const LoadedControl& control,
                                                 std::int32_t number) {
  LayerWindow* widget = Window(window.window.id());
  if (widget == nullptr) return std::nullopt;
  if (control.kind() == ControlKind::kWindow) {
    const QRect outer = widget->OuterGeometry();
    switch (number) {
      case kLeft:
        return outer.left();
      case kTop:
        return outer.top();
      case kWidth:
        return outer.width();
      case kHeight:
        return outer.height();
      default:
        return std::nullopt;
    }
  }
  const QWidget* made = widget->Control(control.id());
  if (made == nullptr) return std::nullopt;
  return ReadControlProperty(made, control, number);
}

void QtBinding::Apply(const LoadedWindow& window, const LoadedControl& control,
                      std::int32_t number) {
  LayerWindow* widget = Window(window.window.id());
  if (widget == nullptr) return;
  if (control.kind() == ControlKind::kWindow) {
    ApplyWindowProperty(widget, control, number);
  } else if (QWidget* made = widget->Control(control.id())) {
    ApplyControlProperty(made, control, number);
  }
}

void QtBinding::ApplyWindowProperty(LayerWindow* widget, const LoadedControl& window,
                                    std::int32_t number) {
  switch (number) {
    case kLeft:
    case kTop:
    case kWidth:
    case kHeight:
      widget->SetOuterGeometry(OuterRectOf(window));
      break;
    case kVisible:
      widget->setVisible(window.Integer(number) != 0);
      break;
    case kDisabled:
      widget->setEnabled(window.Integer(number) == 0);
      break;
    case kMousePointer:
      if (const auto shape = PointerShape(window.Integer(number))) {
        widget->setCursor(*shape);
      } else {
        widget->unsetCursor();
      }
      break;
    case kTitle:
      widget->setWindowTitle(FromGbk(window.Text(number)));
      break;
    case kBackground: {
      QPalette palette = widget->palette();
      palette.setColor(QPalette::Window, MakeColour(window.Integer(number)));
      widget->setPalette(palette);
      widget->setAutoFillBackground(true);
      break;
    }
    case kEscCloses:
      widget->SetEscCloses(window.Integer(number) != 0);
      break;
    default:
      break;  // the frame's properties take effect when the window is created
  }
}

int QtBinding::RunLoop() {
  running_ = true;
  const int code = QApplication::exec();
  running_ = false;
  return code;
}

void QtBinding::Quit(int code) {
  if (running_) QCoreApplication::exit(code);
}

void QtBinding::Release() {
  auto windows = std::exchange(windows_, {});
  for (auto& [id, widget] : windows) delete widget.data();
  if (qApp != nullptr) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

LayerWindow* QtBinding::Window(std::uint32_t window_id) const {
  const auto entry = windows_.find(window_id);
  return entry == windows_.end() ? nullptr : entry->second.data();
}

}  // namespace quorvel
