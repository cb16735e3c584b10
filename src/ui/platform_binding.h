// The interface between the window services and the windowing system under them. The
// services decide what happens and in which order (creation, stacking, tab order, centring,
// property storage, errors); a binding carries out each step on the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/window_description.h"

namespace quorvel {

// One control of a loaded window, or the window itself: its entry in the description and its
// properties by number, which the services keep current as they are written.
struct LoadedControl {
  const ControlDescription* description = nullptr;
  std::vector<PropertyValue> properties;

  ControlKind kind() const { return description->kind; }
  std::uint32_t id() const { return description->id; }
  std::int32_t Integer(std::int32_t number) const;
  const std::string& Text(std::int32_t number) const;
  const std::optional<Font>& FontAt(std::int32_t number) const;
  const TextList& Items(std::int32_t number) const;
};

struct LoadedWindow {
  LoadedControl window;
  std::vector<LoadedControl> controls;  // in stored order
  // The controls that take the focus, in the order Tab walks them. A binding skips those
  // that are hidden or disabled at the time of the key press.
  std::vector<std::uint32_t> tab_order;
  bool alive = true;  // false once the platform window has been destroyed

  const LoadedControl* Find(std::uint32_t control_id) const;
};

struct ScreenGeometry {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

class PlatformBinding {
 public:
  PlatformBinding() = default;
  PlatformBinding(const PlatformBinding&) = delete;
  PlatformBinding& operator=(const PlatformBinding&) = delete;
  virtual ~PlatformBinding() = default;

  // The whole primary screen, not its work area.
  virtual ScreenGeometry PrimaryScreen() = 0;

  // Creates the window hidden with its outer top-left corner at `left`, `top` and its stored
  // outer size, styled from its properties, with `icon_xpm` (smallest image first) as its icon.
  virtual bool CreateWindow(const LoadedWindow& window, std::int32_t left, std::int32_t top,
                            std::span<const char* const* const> icon_xpm) = 0;
  // Creates one control hidden, at its stored place and with its kind's properties.
  virtual bool CreateControl(const LoadedWindow& window, const LoadedControl& control) = 0;
  // Stacks the controls in stored order: the first one on top.
  virtual void StackControls(const LoadedWindow& window) = 0;
  // Shows a control without activating it.
  virtual void ShowControl(const LoadedWindow& window, const LoadedControl& control) = 0;
  // Shows the window normally, makes it active and gives the focus to the first control of
  // its tab order.
  virtual void ShowWindow(const LoadedWindow& window) = 0;

  // The current value of a property that lives in the platform's control (an edit box's text,
  // a combo box's selection, the window's position), or nothing to use the stored value.
  virtual std::optional<PropertyValue> ReadLive(const LoadedWindow& window,
                                                const LoadedControl& control,
                                                std::int32_t number) = 0;
  // Makes the stored value of a property take effect on the platform's control.
  virtual void Apply(const LoadedWindow& window, const LoadedControl& control,
                     std::int32_t number) = 0;

  // Dispatches messages until Quit; returns its code.
  virtual int RunLoop() = 0;
  virtual void Quit(int code) = 0;
  // Destroys whatever windows are left and frees the binding's other resources.
  virtual void Release() = 0;
};

}  // namespace quorvel
