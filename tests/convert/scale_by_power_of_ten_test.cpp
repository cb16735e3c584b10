#include "convert/scale_by_power_of_ten.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "convert/extended_real.h"
#include "convert/power_of_ten_table.h"

namespace quorvel {
namespace {

// Some value whose low bits are not zero, so that every product rounds.
const ExtendedReal kSample = FiniteExtended(3, (Uint128{0xB5A3} << 64) | 0x9F1E2D3C4B5A6978U);

TEST(ScaleByPowerOfTenTest, ZeroReturnsTheValueUnchanged) {
  EXPECT_EQ(ScaleByPowerOfTen(kSample, 0), kSample);
}

// The factors are applied by octal digit of |P|, least significant first; -324 is octal 504.
TEST(ScaleByPowerOfTenTest, MultipliesByTheFactorOfEachOctalDigitLowestFirst) {
  const auto& positive = kPowerOfTenTable.positive;
  const auto& negative = kPowerOfTenTable.negative;
  const std::vector<std::pair<std::int32_t, std::vector<ExtendedReal>>> cases = {
      {-324, {negative[PowerOfTenFactorIndex(0, 4)], negative[PowerOfTenFactorIndex(2, 5)]}},
      {7, {positive[PowerOfTenFactorIndex(0, 7)]}},
      {5200,  // octal 12120
       {positive[PowerOfTenFactorIndex(1, 2)], positive[PowerOfTenFactorIndex(2, 1)],
        positive[PowerOfTenFactorIndex(3, 2)], positive[PowerOfTenFactorIndex(4, 1)]}},
      {-4095,  // octal 7777
       {negative[PowerOfTenFactorIndex(0, 7)], negative[PowerOfTenFactorIndex(1, 7)],
        negative[PowerOfTenFactorIndex(2, 7)], negative[PowerOfTenFactorIndex(3, 7)]}},
  };
  for (const auto& [p, factors] : cases) {
    ExtendedReal expected = kSample;
    for (const ExtendedReal& factor : factors) {
      expected = MultiplyExtended(expected, factor);
    }
    EXPECT_EQ(ScaleByPowerOfTen(kSample, p), expected) << "P = " << p;
  }
}

TEST(ScaleByPowerOfTenTest, SaturatesToInfinityAndZero) {
  EXPECT_EQ(ScaleByPowerOfTen(kSample, 5200).kind, ExtendedReal::Kind::kInfinity);
  EXPECT_EQ(ScaleByPowerOfTen(kSample, -5200).kind, ExtendedReal::Kind::kZero);
  // Powers beyond the table's reach keep multiplying by 10^±4096 and end the same way.
  EXPECT_EQ(ScaleByPowerOfTen(kSample, INT32_MAX).kind, ExtendedReal::Kind::kInfinity);
  EXPECT_EQ(ScaleByPowerOfTen(kSample, INT32_MIN).kind, ExtendedReal::Kind::kZero);
  // 10^4932 is still finite in the extended format (the largest is about 1.19e4932).
  const ExtendedReal one = FiniteExtended(0, kSignificandTopBit);
  EXPECT_EQ(ScaleByPowerOfTen(one, 4932).kind, ExtendedReal::Kind::kFinite);
  EXPECT_EQ(ScaleByPowerOfTen(one, 4933).kind, ExtendedReal::Kind::kInfinity);
}

}  // namespace
}  // namespace quorvel
