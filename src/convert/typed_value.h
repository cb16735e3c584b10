// The typed value in which the calculation command hands a conversion its argument: a low word
// (for a text, the reference to it; pointer-sized on a 64-bit build), a high word (0 for a
// one-word value) and a type mark.
#pragma once

#include <cstdint>

namespace quorvel {

struct TypedValue {
  std::uintptr_t low;
  std::uint32_t high;
  std::uint32_t mark;
};

inline constexpr std::uint32_t kTextTypeMark = 0x80000004;
inline constexpr std::uint32_t kDoubleTypeMark = 0x80000601;

}  // namespace quorvel
