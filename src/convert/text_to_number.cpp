#include "convert/text_to_number.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "convert/extended_real.h"
#include "convert/fold_full_width.h"
#include "convert/round_to_double.h"
#include "convert/scale_by_power_of_ten.h"
#include "convert/scan_number.h"
#include "convert/typed_value.h"
#include "convert/uint128.h"
#include "ui/run_time_error.h"

namespace quorvel {
namespace {

constexpr std::int64_t kLargestScale = 5200;
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;
constexpr Uint128 kScaledSignificandMask = kSignificandMask & ~Uint128{0xFFFF};

double SignedZero(bool negative) { return std::bit_cast<double>(negative ? kSignBit : 0); }

double SignedInfinity(bool negative) {
  return std::bit_cast<double>((negative ? kSignBit : 0) | kInfinityBits);
}

// N (1 <= N <= 10^24, so below 2^80) exactly: shifted up until bit 79 is its top bit.
ExtendedReal ExactInteger(Uint128 n) {
  const auto high = static_cast<std::uint64_t>(n >> 64);
  const int length = high != 0 ? 128 - std::countl_zero(high)
                               : 64 - std::countl_zero(static_cast<std::uint64_t>(n));
  ExtendedReal value;
  value.kind = ExtendedReal::Kind::kFinite;
  value.exponent = length - 1;
  value.significand = n << (kSignificandBits - length);
  return value;
}

double NumberFromScan(const ScannedNumber& number) {
  if (!number.has_digits) {
    return SignedZero(false);
  }
  std::array<std::uint8_t, ScannedNumber::kMaxDigits> digits = number.digits;
  int count = number.digit_count;
  std::int64_t adjustment = number.adjustment;

  // The 25th digit only rounds the 24th, which may thereby hold the value ten.
  if (count == ScannedNumber::kMaxDigits) {
    --count;
    ++adjustment;
    if (digits[ScannedNumber::kMaxDigits - 1] >= 5) {
      ++digits[ScannedNumber::kMaxDigits - 2];
    }
  }
  if (count == 0) {
    return SignedZero(number.negative);
  }
  while (digits[static_cast<std::size_t>(count - 1)] == 0) {
    --count;
    ++adjustment;
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

  Uint128 n = 0;
  for (int i = 0; i < count; ++i) {
    n = n * 10 + digits[static_cast<std::size_t>(i)];
  }
  ExtendedReal value = ExactInteger(n);
  if (p != 0) {
    // Only the top 64 bits of the significand take part in the scaling.
    value.significand &= kScaledSignificandMask;
    value = ScaleByPowerOfTen(value, static_cast<std::int32_t>(p));
  }
  return RoundToDouble(value, number.negative);
}

}  // namespace

double TextToNumber(const char* text) {
  const FoldedText folded = FoldFullWidth(text == nullptr ? "" : text);
  return NumberFromScan(ScanNumber(folded.view()));
}

double TextToNumber(const TypedValue& value) {
  if (value.mark != kTextTypeMark) {
    std::array<char, 16> mark{};
    std::snprintf(mark.data(), mark.size(), "%08X", value.mark);
    RaiseRunTimeError(
        std::string("TextToNumber needs a text (type mark 80000004) but was given type mark ") +
        mark.data());
  }
  // The low word of a text value is the text's address.
  return TextToNumber(reinterpret_cast<const char*>(
      value.low));  // NOLINT(*-reinterpret-cast,performance-no-int-to-ptr)
}

}  // namespace quorvel
