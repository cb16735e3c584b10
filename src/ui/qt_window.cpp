#include "ui/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace quorvel {

LayerWindow::LayerWindow(std::uint32_t id, std::vector<std::uint32_t> tab_order,
                         std::function<void(std::uint32_t)> on_closed)
    : id_(id), tab_order_(std::move(tab_order)), on_closed_(std::move(on_closed)) {}

void LayerWindow::AddControl(std::uint32_t control_id, QWidget* widget) {
  controls_[control_id] = widget;
  widget->installEventFilter(this);
}

QWidget* LayerWindow::Control(std::uint32_t control_id) const {
  const auto entry = controls_.find(control_id);
  return entry == controls_.end() ? nullptr : entry->second;
}

QWidget* LayerWindow::Usable(std::uint32_t control_id) const {
  QWidget* widget = Control(control_id);
  if (widget == nullptr || !widget->isVisibleTo(this) || !widget->isEnabled()) return nullptr;
  return widget;
}

void LayerWindow::FocusFirst() {
  for (const std::uint32_t control_id : tab_order_) {
    if (QWidget* widget = Usable(control_id)) {
      widget->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

void LayerWindow::MoveFocus(bool forward) {
  if (tab_order_.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(tab_order_.size());
  std::ptrdiff_t current = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    QWidget* widget = Control(tab_order_[static_cast<std::size_t>(i)]);
    if (widget != nullptr && widget == focusWidget()) current = i;
  }
  if (current < 0) current = forward ? -1 : count;  // nothing focused: start at an end
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    std::ptrdiff_t next = forward ? current + step : current - step;
    next = ((next % count) + count) % count;
    if (QWidget* widget = Usable(tab_order_[static_cast<std::size_t>(next)])) {
      widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

// Tab and Shift+Tab walk the tab order and Esc closes the window, whichever control has the
// focus: no control keeps these keys for itself. Enter and F1 go to the control as usual.
bool LayerWindow::TakeKey(QKeyEvent* key) {
  const Qt::KeyboardModifiers held =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  switch (key->key()) {
    case Qt::Key_Tab:
      if ((held & (Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
      MoveFocus(held != Qt::ShiftModifier);
      return true;
    case Qt::Key_Backtab:
      if ((held & (Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
      MoveFocus(false);
      return true;
    case Qt::Key_Escape:
      if (!esc_closes_ || held != Qt::NoModifier) return false;
      close();
      return true;
    default:
      return false;
  }
}

bool LayerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && TakeKey(static_cast<QKeyEvent*>(event))) return true;
  return QWidget::eventFilter(watched, event);
}

void LayerWindow::keyPressEvent(QKeyEvent* event) {
  if (!TakeKey(event)) QWidget::keyPressEvent(event);
}

bool LayerWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
      if (QWidget* focused = focusWidget(); focused != nullptr && isAncestorOf(focused)) {
        remembered_focus_ = focused;
      }
      break;
    case QEvent::WindowActivate: {
      QWidget* remembered = remembered_focus_.data();
      if (remembered != nullptr && remembered->isVisibleTo(this) && remembered->isEnabled()) {
        remembered->setFocus(Qt::ActiveWindowFocusReason);
      } else if (focusWidget() == nullptr) {
        FocusFirst();
      }
      break;
    }
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
      // The window manager frames the window after it is shown; once the frame is known the
      // outer rectangle is applied again with it.
      if (isWindow() && !outer_.isNull() && frameGeometry().size() != outer_.size()) {
        const QRect frame = frameGeometry();
        const QRect client = geometry();
        const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                               frame.right() - client.right(), frame.bottom() - client.bottom());
        if (margins != applied_frame_) ApplyOuterGeometry();
      }
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void LayerWindow::SetOuterGeometry(const QRect& outer) {
  outer_ = outer;
  ApplyOuterGeometry();
}

void LayerWindow::ApplyOuterGeometry() {
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  applied_frame_ = QMargins(client.left() - frame.left(), client.top() - frame.top(),
                            frame.right() - client.right(), frame.bottom() - client.bottom());
  const QSize client_size(
      std::max(0, outer_.width() - applied_frame_.left() - applied_frame_.right()),
      std::max(0, outer_.height() - applied_frame_.top() - applied_frame_.bottom()));
  if (size_fixed_) {
    setFixedSize(client_size);
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(client_size);
  }
  move(outer_.topLeft());  // a top-level window's position is that of its frame
}

QRect LayerWindow::OuterGeometry() const { return frameGeometry(); }

void LayerWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  QWidget::closeEvent(event);
  // The window is destroyed; the layer learns it at once, the widgets go when the loop has
  // finished with them.
  if (on_closed_) std::exchange(on_closed_, nullptr)(id_);
  deleteLater();
}

}  // namespace quorvel
