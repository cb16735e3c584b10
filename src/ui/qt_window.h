// The top-level window of the Qt binding: its outer geometry, the keys it takes before the
// focused control (Tab, Shift+Tab, Esc), the focus it remembers across deactivation and the
// report of its destruction.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace quorvel {

class LayerWindow : public QWidget {
 public:
  // `on_closed` runs once the window has accepted a close: it is gone for the layer then.
  LayerWindow(std::uint32_t id, std::vector<std::uint32_t> tab_order,
              std::function<void(std::uint32_t)> on_closed);

  std::uint32_t id() const { return id_; }

  // Adds a control; the window watches its keys.
  void AddControl(std::uint32_t control_id, QWidget* widget);
  QWidget* Control(std::uint32_t control_id) const;
  const std::map<std::uint32_t, QWidget*>& Controls() const { return controls_; }

  // Places the window so that its outer rectangle, frame included, is `outer`. Until the
  // window manager has framed the window the frame counts as 0; the rectangle is applied
  // again once the frame is known.
  void SetOuterGeometry(const QRect& outer);
  QRect OuterGeometry() const;

  // Whether the user may change the outer size (border styles other than fixed).
  void SetSizeFixed(bool fixed) { size_fixed_ = fixed; }

  // Whether Esc (without Ctrl, Shift or Alt) closes the window.
  void SetEscCloses(bool closes) { esc_closes_ = closes; }

  // Gives the focus to the first control of the tab order that can take it.
  void FocusFirst();
  // Moves the focus to the next (or previous) usable control of the tab order, wrapping.
  void MoveFocus(bool forward);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool TakeKey(QKeyEvent* key);
  QWidget* Usable(std::uint32_t control_id) const;
  void ApplyOuterGeometry();

  std::uint32_t id_;
  std::vector<std::uint32_t> tab_order_;
  std::function<void(std::uint32_t)> on_closed_;
  std::map<std::uint32_t, QWidget*> controls_;
  QPointer<QWidget> remembered_focus_;
  QRect outer_;
  QMargins applied_frame_;
  bool size_fixed_ = true;
  bool esc_closes_ = true;
};

}  // namespace quorvel
