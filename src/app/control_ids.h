// The identifiers that name MainWindow and its controls, and the property numbers the
// calculation reads and writes. The window description and the handlers share them.
#pragma once

#include <cstdint>

namespace quorvel {

inline constexpr std::uint32_t kMainWindowId = 0x52010001;

inline constexpr std::uint32_t kEditBox1Id = 0x16010005;   // 编辑框1, first operand
inline constexpr std::uint32_t kEditBox2Id = 0x16010006;   // 编辑框2, second operand
inline constexpr std::uint32_t kEditBox3Id = 0x16010007;   // 编辑框3, result
inline constexpr std::uint32_t kLabel1Id = 0x16010009;     // 标签1, "="
inline constexpr std::uint32_t kButton1Id = 0x1601000A;    // 按钮1, "计算"
inline constexpr std::uint32_t kComboBox1Id = 0x1601000D;  // 组合框1, operator
inline constexpr std::uint32_t kLabel2Id = 0x1601001C;     // 标签2, credit line

// Property numbers of a kind's own properties (the common ones are 0 to 7).
inline constexpr std::int32_t kEditBoxContent = 8;      // text
inline constexpr std::int32_t kComboBoxSelection = 19;  // 0-based item index, -1 for none

}  // namespace quorvel
