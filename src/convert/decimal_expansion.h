// A number's decimal digits before they are rounded for display.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvel {

inline constexpr std::size_t kExpansionDigits = 17;

// The value 0.d1 d2 d3 … × 10^point_position. For a finite non-zero number the digits are
// "0" to "9", d1 is not "0" and the last digit is not "0". Zero is the single digit "0" with
// point position 0; infinities and NaNs carry their marker texts ("1#INF", "1#IND", "1#QNAN")
// with point position 1, so that the later steps lay them out like any digit text.
struct DecimalExpansion {
  bool negative = false;
  std::int32_t point_position = 0;
  std::array<char, kExpansionDigits> digits{};
  std::size_t digit_count = 0;
};

// The finite non-zero double with the given bits, expanded to 17 significant digits with the
// extended arithmetic: an estimate of the decimal exponent, a scaling into [0.1, 1), 18 digits
// cut from an 88-bit binary fraction and a rounding to 17.
DecimalExpansion ExpandFiniteNumber(std::uint64_t bits);

}  // namespace quorvel
