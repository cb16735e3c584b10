#include "convert/round_to_double.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "convert/extended_real.h"
#include "convert/uint128.h"

namespace quorvel {
namespace {

std::uint64_t Rounded(std::int32_t exponent, Uint128 significand, bool negative = false) {
  return std::bit_cast<std::uint64_t>(
      RoundToDouble(FiniteExtended(exponent, significand), negative));
}

constexpr Uint128 kOne = kSignificandTopBit;
constexpr Uint128 kHalfUnit = Uint128{1} << 26;  // bit 54 of the 80, counted from the top

struct RoundingCase {
  const char* what;
  std::int32_t exponent;
  Uint128 significand;
  std::uint64_t expected_bits;
};

TEST(RoundToDoubleTest, RoundsOnceWithHalfwayTowardZero) {
  const std::vector<RoundingCase> cases = {
      {"exact", 0, kOne, 0x3FF0000000000000},
      {"halfway stays", 0, kOne + kHalfUnit, 0x3FF0000000000000},
      {"halfway of an odd one stays too", 0, kOne + 3 * kHalfUnit, 0x3FF0000000000001},
      {"just above halfway goes up", 0, kOne + kHalfUnit + 1, 0x3FF0000000000001},
      {"just below halfway stays", 0, kOne + kHalfUnit - 1, 0x3FF0000000000000},
      {"carry into the next binade", 0, kSignificandMask, 0x4000000000000000},
      {"largest finite", 1023, kSignificandMask - kHalfUnit, 0x7FEFFFFFFFFFFFFF},
      {"carry into infinity", 1023, kSignificandMask, 0x7FF0000000000000},
      {"above the range", 1024, kOne, 0x7FF0000000000000},
      {"smallest normal", -1022, kOne, 0x0010000000000000},
      {"largest subnormal carries to the smallest normal", -1023, kSignificandMask,
       0x0010000000000000},
      {"subnormal 2^-1023", -1023, kOne, 0x0008000000000000},
      {"smallest subnormal", -1074, kOne, 0x0000000000000001},
      {"exactly half the smallest subnormal", -1075, kOne, 0},
      // Bits that fall out of the 96-bit field do not count: this value is just above half the
      // smallest subnormal, yet it rounds like the half.
      {"tail outside the field", -1075, kOne + 1, 0},
      {"tail inside the field", -1075, kOne + (Uint128{1} << 36), 0x0000000000000001},
      {"far below", -16382, kOne, 0},
  };
  for (const RoundingCase& c : cases) {
    EXPECT_EQ(Rounded(c.exponent, c.significand), c.expected_bits) << c.what;
    EXPECT_EQ(Rounded(c.exponent, c.significand, true), c.expected_bits | (std::uint64_t{1} << 63))
        << c.what << " (negative)";
  }
}

TEST(RoundToDoubleTest, ZeroAndInfinityTakeTheGivenSign) {
  ExtendedReal zero;
  ExtendedReal infinity;
  infinity.kind = ExtendedReal::Kind::kInfinity;
  EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundToDouble(zero, false)), 0U);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundToDouble(zero, true)), 0x8000000000000000);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundToDouble(infinity, false)), 0x7FF0000000000000);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundToDouble(infinity, true)), 0xFFF0000000000000);
}

}  // namespace
}  // namespace quorvel
