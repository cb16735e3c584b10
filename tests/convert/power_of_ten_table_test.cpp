#include "convert/power_of_ten_table.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "convert/extended_real.h"
#include "convert/uint128.h"

namespace quorvel {
namespace {

// The power 10^(d * 8^k) that the factor at `index` stands for.
int PowerAt(std::size_t index) {
  int place = 1;
  for (std::size_t k = 0; k < index / 7; ++k) {
    place *= 8;
  }
  return static_cast<int>(index % 7 + 1) * place;
}

Uint128 PowerOfTen(int n) {
  Uint128 value = 1;
  for (int i = 0; i < n; ++i) {
    value *= 10;
  }
  return value;
}

// value / divisor rounded to nearest, ties to even.
Uint128 DivideRounded(Uint128 value, Uint128 divisor) {
  const Uint128 quotient = value / divisor;
  const Uint128 twice_remainder = 2 * (value % divisor);
  const bool up = twice_remainder > divisor || (twice_remainder == divisor && (quotient & 1) != 0);
  return quotient + (up ? 1 : 0);
}

// The generator works with a big integer; the powers up to 10^32 fit in 128 bits and are checked
// here on their own, directly from the definition.
TEST(PowerOfTenTableTest, SmallPositiveFactorsAreTheNearest80BitValues) {
  for (std::size_t index = 0; index < kPowerOfTenTable.positive.size(); ++index) {
    const int n = PowerAt(index);
    if (n > 32) {
      continue;
    }
    const Uint128 power = PowerOfTen(n);
    const int length =
        128 - std::countl_zero(static_cast<std::uint64_t>(power >> 64)) -
        ((power >> 64) == 0 ? std::countl_zero(static_cast<std::uint64_t>(power)) : 0);
    const int drop = length > kSignificandBits ? length - kSignificandBits : 0;
    const Uint128 significand = length > kSignificandBits ? DivideRounded(power, Uint128{1} << drop)
                                                          : power << (kSignificandBits - length);
    const ExtendedReal& factor = kPowerOfTenTable.positive[index];
    EXPECT_EQ(factor.kind, ExtendedReal::Kind::kFinite) << "10^" << n;
    EXPECT_FALSE(factor.negative) << "10^" << n;
    EXPECT_EQ(factor.exponent, length - 1) << "10^" << n;
    EXPECT_TRUE(factor.significand == significand) << "10^" << n;
  }
}

TEST(PowerOfTenTableTest, SmallNegativeFactorsAreTheNearest80BitValues) {
  for (std::size_t index = 0; index < 8; ++index) {  // 10^-1 to 10^-8
    const int n = PowerAt(index);
    const ExtendedReal& factor = kPowerOfTenTable.negative[index];
    ASSERT_LT(factor.exponent, 0);
    // significand = 2^(79 - e) / 10^n, rounded; 79 - e stays below 128 for these.
    const Uint128 expected = DivideRounded(Uint128{1} << (79 - factor.exponent), PowerOfTen(n));
    EXPECT_TRUE(factor.significand == expected) << "10^-" << n;
    EXPECT_EQ(factor.significand >> 79, 1U) << "10^-" << n;
  }
  // 0.1 rounds up: the factor lies just above one tenth.
  EXPECT_EQ(kPowerOfTenTable.negative[0].exponent, -4);
  EXPECT_TRUE(kPowerOfTenTable.negative[0].significand ==
              ((Uint128{0xCCCC} << 64) | 0xCCCCCCCCCCCCCCCDU));
}

// Every factor and its reciprocal multiply to 1 within a few units of the last place (two
// roundings of the factors, the truncated product and its rounding), which catches a misplaced
// or mismatched entry among the large powers as well.
TEST(PowerOfTenTableTest, FactorsAndTheirReciprocalsMultiplyToOne) {
  constexpr Uint128 kUnitsAllowed = 4;
  for (std::size_t index = 0; index < kPowerOfTenTable.positive.size(); ++index) {
    const ExtendedReal product =
        MultiplyExtended(kPowerOfTenTable.positive[index], kPowerOfTenTable.negative[index]);
    const bool just_below_one =
        product.exponent == -1 && kSignificandMask - product.significand < kUnitsAllowed;
    const bool just_above_one =
        product.exponent == 0 && product.significand - kSignificandTopBit < kUnitsAllowed;
    EXPECT_TRUE(just_below_one || just_above_one) << "10^" << PowerAt(index);
  }
}

}  // namespace
}  // namespace quorvel
