#include "convert/number_from_scan.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "convert/extended_real.h"
#include "convert/round_to_double.h"
#include "convert/scale_by_power_of_ten.h"
#include "convert/scan_number.h"
#include "convert/uint128.h"

namespace quorvel {
namespace {

constexpr std::int64_t kLargestScale = 5200;
constexpr int kDigitsIn64Bits = 19;
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;
constexpr Uint128 kScaledSignificandMask = kSignificandMask & ~Uint128{0xFFFF};

double SignedZero(bool negative) { return std::bit_cast<double>(negative ? kSignBit : 0); }

double SignedInfinity(bool negative) {
  return std::bit_cast<double>((negative ? kSignBit : 0) | kInfinityBits);
}

// N (1 <= N <= 10^24, so below 2^80) exactly: shifted up until bit 79 is its top bit.
ExtendedReal ExactInteger(Uint128 n) {
  ExtendedReal value;
  value.kind = ExtendedReal::Kind::kFinite;
  const auto high = static_cast<std::uint64_t>(n >> 64);
  if (high == 0) {
    // The common case, done in 64 bits: normalise the word, then place it at the top.
    const auto low = static_cast<std::uint64_t>(n);
    const int leading_zeros = std::countl_zero(low);
    value.exponent = 63 - leading_zeros;
    value.significand = Uint128{low << leading_zeros} << (kSignificandBits - 64);
  } else {
    const int length = 128 - std::countl_zero(high);
    value.exponent = length - 1;
    value.significand = n << (kSignificandBits - length);
  }
  return value;
}

}  // namespace

double NumberFromScan(const ScannedNumber& number) {
  if (!number.has_digits) {
    return SignedZero(false);
  }
  const std::array<std::uint8_t, ScannedNumber::kMaxDigits>& digits = number.digits;
  int count = number.digit_count;
  std::int64_t adjustment = number.adjustment;

  // The 25th digit only rounds the 24th, which may thereby hold the value ten: the integer the
  // digits form is then simply one larger, and its last digit is not a zero.
  bool round_up = false;
  if (count == ScannedNumber::kMaxDigits) {
    --count;
    ++adjustment;
    round_up = digits[ScannedNumber::kMaxDigits - 1] >= 5;
  }
  if (count == 0) {
    return SignedZero(number.negative);
  }
  if (!round_up) {
    while (digits[static_cast<std::size_t>(count - 1)] == 0) {
      --count;
      ++adjustment;
    }
  }

  // Both terms are far from the int64 limits: the adjustment is bounded by the text's length
  // and the exponent by ScannedNumber::kExponentCap.
  const std::int64_t p =
      adjustment + (number.exponent_negative ? -number.exponent : number.exponent);
  if (p > kLargestScale) {
    return SignedInfinity(number.negative);
  }
  if (p < -kLargestScale) {
    return SignedZero(number.negative);
  }

  // The first 19 digits fit in 64 bits, where the arithmetic is cheaper.
  const int in_64_bits = count < kDigitsIn64Bits ? count : kDigitsIn64Bits;
  std::uint64_t leading = 0;
  for (int i = 0; i < in_64_bits; ++i) {
    leading = leading * 10 + digits[static_cast<std::size_t>(i)];
  }
  Uint128 n = leading;
  for (int i = in_64_bits; i < count; ++i) {
    n = n * 10 + digits[static_cast<std::size_t>(i)];
  }
  if (round_up) {
    ++n;
  }
  ExtendedReal value = ExactInteger(n);
  if (p != 0) {
    // Only the top 64 bits of the significand take part in the scaling.
    value.significand &= kScaledSignificandMask;
    value = ScaleByPowerOfTen(value, static_cast<std::int32_t>(p));
  }
  return RoundToDouble(value, number.negative);
}

}  // namespace quorvel
