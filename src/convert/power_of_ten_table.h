// The factors by which ScaleByPowerOfTen multiplies: for octal position k and octal digit d of
// |P|, the power 10^(d * 8^k) for P > 0 and 10^-(d * 8^k) for P < 0, each the exact power
// rounded to the nearest 80-bit significand. The numbers themselves come from the generated
// power_of_ten_factors.h.
#pragma once

#include <array>
#include <cstddef>

#include "convert/extended_real.h"
#include "convert/power_of_ten_factors.h"

namespace quorvel {

struct PowerOfTenTable {
  std::array<ExtendedReal, kPowerOfTenFactorCount> positive;
  std::array<ExtendedReal, kPowerOfTenFactorCount> negative;
};

inline constexpr int kOctalDigitsPerPosition = 7;
inline constexpr int kLargestTablePosition = 4;  // holds 10^4096 only

// Index of the factor for octal position k (0 to 4) and digit d (1 to 7; only 1 at k = 4).
constexpr std::size_t PowerOfTenFactorIndex(int position, int digit) {
  return static_cast<std::size_t>(kOctalDigitsPerPosition * position + digit - 1);
}

namespace power_of_ten_detail {

constexpr std::array<ExtendedReal, kPowerOfTenFactorCount> ToExtended(
    const PowerOfTenFactorTable& bits) {
  std::array<ExtendedReal, kPowerOfTenFactorCount> factors{};
  for (std::size_t i = 0; i < bits.size(); ++i) {
    factors[i] = FiniteExtended(bits[i].exponent, (Uint128{bits[i].significand_high} << 64) |
                                                      Uint128{bits[i].significand_low});
  }
  return factors;
}

}  // namespace power_of_ten_detail

inline constexpr PowerOfTenTable kPowerOfTenTable = {
    power_of_ten_detail::ToExtended(kPositivePowerOfTenFactors),
    power_of_ten_detail::ToExtended(kNegativePowerOfTenFactors)};

}  // namespace quorvel
