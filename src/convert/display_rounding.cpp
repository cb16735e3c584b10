#include "convert/display_rounding.h"

#include <algorithm>

namespace quorvel {

DisplayDigits RoundForDisplay(const DecimalExpansion& expansion) {
  DisplayDigits rounded;
  rounded.negative = expansion.negative;
  rounded.point_position = expansion.point_position;
  std::copy_n(expansion.digits.begin(), kDisplayDigits, rounded.digits.begin());

  // A 14th character that is only padding is "0" and rounds nothing.
  if (expansion.digits[kDisplayDigits] < '5') return rounded;
  for (std::size_t i = kDisplayDigits; i-- > 0;) {
    if (rounded.digits[i] != '9') {
      ++rounded.digits[i];
      return rounded;
    }
    rounded.digits[i] = '0';
  }
  // The carry passed the first digit: 9999999999999 became 10000000000000.
  rounded.digits[0] = '1';
  ++rounded.point_position;
  return rounded;
}

}  // namespace quorvel
