// A number's decimal digits before they are rounded for display.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel {

inline constexpr std::size_t kExpansionDigits = 17;

// The value 0.d1 d2 d3 … × 10^point_position. For a finite non-zero number the digits are
// "0" to "9" and d1 is not "0". Zero is the single digit "0" with point position 0; infinities
// and NaNs carry their marker texts ("1#INF", "1#IND", "1#QNAN") with point position 1, so
// that the later steps lay them out like any digit text.
//
// The digit text is kept padded with "0" to all 17 places: padding zeros mean nothing after
// the point, and the rounding for display then needs no length.
struct DecimalExpansion {
  bool negative = false;
  std::int32_t point_position = 0;
  std::array<char, kExpansionDigits> digits{};
};

// The digit text without its padding: 1 to 17 characters, the last not "0" (except for zero).
std::string_view DigitText(const DecimalExpansion& expansion);

// The finite non-zero double with the given bits, expanded to 17 significant digits with the
// extended arithmetic: an estimate of the decimal exponent, a scaling into [0.1, 1), 18 digits
// cut from an 88-bit binary fraction and a rounding to 17.
DecimalExpansion ExpandFiniteNumber(std::uint64_t bits);

}  // namespace quorvel
