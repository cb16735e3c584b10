// Rounding a decimal expansion to the 13 significant digits that are shown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "convert/decimal_expansion.h"

namespace quorvel {

inline constexpr std::size_t kDisplayDigits = 13;

// Exactly 13 digit characters and the point position of the first, as in DecimalExpansion.
struct DisplayDigits {
  bool negative = false;
  std::int32_t point_position = 0;
  std::array<char, kDisplayDigits> digits{};
};

// Rounds on the text, not on the number: the first 13 characters are kept (padded with "0"),
// and a 14th character of "5" to "9" adds one to them. Later characters are never looked at,
// so a value is rounded twice (to 17 digits, then to 13) and a tie goes up, not to even.
DisplayDigits RoundForDisplay(const DecimalExpansion& expansion);

}  // namespace quorvel
