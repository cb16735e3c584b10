// Laying out the 13 shown digits in fixed or exponential notation.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "convert/display_rounding.h"

namespace quorvel {

// The longest text: sign, 13 digits, point and a five-character exponent ("-1.234567890123e-100").
inline constexpr std::size_t kMaxNumberTextLength = 20;

// The buffer is larger than the longest text so that the layout can copy digits in blocks of a
// fixed size; only the first `length` characters count.
inline constexpr std::size_t kNumberTextCapacity = 40;

// A finished number text in a fixed buffer, so that formatting needs no allocation.
struct NumberText {
  std::array<char, kNumberTextCapacity> chars{};
  std::size_t length = 0;

  std::string_view View() const { return {chars.data(), length}; }
};

// Fixed notation when the decimal exponent of the first digit lies in -4..12, exponential
// notation with a signed exponent of at least three digits otherwise; trailing zeros after
// the point and a bare point are removed, and "-" leads a negative number.
NumberText LayOutNumber(const DisplayDigits& rounded);

}  // namespace quorvel
