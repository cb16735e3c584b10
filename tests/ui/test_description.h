// A small window for the window services' tests: one of each kind, with tab-order numbers
// that make the sorting visible.
#pragma once

#include <cstdint>
#include <string>

#include "ui/window_description.h"

namespace quorvel::testing {

inline constexpr std::uint32_t kTestWindowId = 0x52010077;
inline constexpr std::uint32_t kLabelId = 0x16010101;
inline constexpr std::uint32_t kComboId = 0x16010102;
inline constexpr std::uint32_t kButtonId = 0x16010103;
inline constexpr std::uint32_t kFirstEditId = 0x16010104;
inline constexpr std::uint32_t kSecondEditId = 0x16010105;
inline constexpr std::uint32_t kHiddenEditId = 0x16010106;

inline ControlDescription TestControl(ControlKind kind, std::uint32_t id, std::int32_t left,
                                      std::int32_t top, std::int32_t width, std::int32_t height,
                                      bool takes_focus) {
  return MakeControl(kind, id, "control", left, top, width, height, takes_focus);
}

// Stored order: label, combo, button, hidden edit, second edit, first edit. All tab numbers
// are 0 except the button's 1, so Tab walks first edit, second edit, combo, button; the
// hidden edit never takes the focus.
inline WindowDescription TestWindow(Routine click_handler) {
  WindowDescription window;
  window.window = TestControl(ControlKind::kWindow, kTestWindowId, 7, 9, 300, 200, false);
  window.window.settings = {
      {8, std::string("Test")}, {9, 2}, {15, 1}, {16, 0}, {17, 0}, {18, 1}, {22, 1}};

  ControlDescription label = TestControl(ControlKind::kLabel, kLabelId, 10, 150, 200, 24, false);
  Font font;
  font.face_gbk = "\xCB\xCE\xCC\xE5";  // 宋体
  font.height = 35;
  font.weight = 700;
  font.char_set = 134;
  label.settings = {{8, std::string("A&B")},
                    {15, std::optional<Font>(font)},
                    {16, Rgb(0, 0, 0x80)},
                    {17, Rgb(0xFF, 0xA8, 0xFF)}};

  ControlDescription combo = TestControl(ControlKind::kComboBox, kComboId, 120, 10, 60, 20, true);
  combo.settings = {{8, 2}, {15, 1}, {19, 0}, {20, TextList{"+", "-", "*", "/"}}};

  ControlDescription button = TestControl(ControlKind::kButton, kButtonId, 200, 60, 80, 32, true);
  button.tab_number = 1;
  button.settings = {{10, std::string("\xBC\xC6\xCB\xE3")}};  // 计算
  if (click_handler != nullptr) button.events = {{0, click_handler}};

  ControlDescription hidden =
      TestControl(ControlKind::kEditBox, kHiddenEditId, 10, 100, 80, 28, true);
  hidden.visible = false;

  window.controls = {
      label,
      combo,
      button,
      hidden,
      TestControl(ControlKind::kEditBox, kSecondEditId, 200, 10, 80, 30, true),
      TestControl(ControlKind::kEditBox, kFirstEditId, 10, 10, 80, 32, true),
  };
  return window;
}

}  // namespace quorvel::testing
