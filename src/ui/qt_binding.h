// The window services' binding to Qt Widgets.
#pragma once

#include <QPointer>
#include <cstdint>
#include <map>

#include "ui/platform_binding.h"
#include "ui/qt_window.h"

namespace quorvel {

class QtBinding : public PlatformBinding {
 public:
  QtBinding() = default;
  ~QtBinding() override;

  ScreenGeometry PrimaryScreen() override;
  bool CreateWindow(const LoadedWindow& window, std::int32_t left, std::int32_t top,
                    std::span<const char* const* const> icon_xpm) override;
  bool CreateControl(const LoadedWindow& window, const LoadedControl& control) override;
  void StackControls(const LoadedWindow& window) override;
  void ShowControl(const LoadedWindow& window, const LoadedControl& control) override;
  void ShowWindow(const LoadedWindow& window) override;
  std::optional<PropertyValue> ReadLive(const LoadedWindow& window, const LoadedControl& control,
                                        std::int32_t number) override;
  void Apply(const LoadedWindow& window, const LoadedControl& control,
             std::int32_t number) override;
  int RunLoop() override;
  void Quit(int code) override;
  void Release() override;

  // The live window with this identifier, for tests and tools; null when it is not there.
  LayerWindow* Window(std::uint32_t window_id) const;

 private:
  void ApplyWindowProperty(LayerWindow* widget, const LoadedControl& window, std::int32_t number);

  std::map<std::uint32_t, QPointer<LayerWindow>> windows_;
  bool running_ = false;
};

}  // namespace quorvel
