#include "convert/decimal_expansion.h"

#include <algorithm>
#include <bit>

#include "convert/extended_real.h"
#include "convert/scale_by_power_of_ten.h"
#include "convert/uint128.h"

namespace quorvel {
namespace {

constexpr int kDoubleFractionBits = 52;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kDoubleFractionBits) - 1;
constexpr std::int32_t kDoubleExponentBias = 1023;
constexpr std::int32_t kExtendedExponentBias = 16383;

// 0.1 with its binary expansion cut off after 80 bits, so just below 0.1. It is deliberately
// not the rounded factor 10^-1 of the power table, which lies just above.
constexpr ExtendedReal kOneTenth{ExtendedReal::Kind::kFinite, false, -4,
                                 (Uint128{0xCCCC} << 64) | 0xCCCCCCCCCCCCCCCC};

// The width of the binary fraction from which the digits are cut, and the mask of its bits.
constexpr int kFractionWidth = 88;
constexpr Uint128 kFractionBitsMask = (Uint128{1} << kFractionWidth) - 1;

// The magnitude of a finite non-zero double as an exact ExtendedReal.
ExtendedReal ExtendMagnitude(std::uint64_t bits) {
  const auto biased = static_cast<std::int32_t>((bits >> kDoubleFractionBits) & 0x7FF);
  const std::uint64_t fraction = bits & kFractionMask;

  ExtendedReal x;
  x.kind = ExtendedReal::Kind::kFinite;
  if (biased != 0) {
    const std::uint64_t significand = fraction | (std::uint64_t{1} << kDoubleFractionBits);
    x.significand = Uint128{significand} << (kSignificandBits - 1 - kDoubleFractionBits);
    x.exponent = biased - kDoubleExponentBias;
  } else {
    // A subnormal number: its fraction is moved up until its top bit is the significand's.
    const int top = 63 - std::countl_zero(fraction);
    x.significand = Uint128{fraction} << (kSignificandBits - 1 - top);
    x.exponent = top - kDoubleExponentBias - kDoubleFractionBits + 1;
  }
  return x;
}

// floor(log10 x) or one more, from the biased exponent and the top 8 significand bits alone.
std::int32_t EstimateDecimalExponent(const ExtendedReal& x) {
  const std::int32_t biased = x.exponent + kExtendedExponentBias;
  const auto top_bits = static_cast<std::int32_t>(x.significand >> (kSignificandBits - 8));
  const std::int32_t numerator = biased * 19728 + (biased / 256) * 77 + top_bits * 154 - 323162868;
  // An arithmetic shift divides by 65536 rounding toward minus infinity, also when negative.
  return numerator >> 16;
}

}  // namespace

DecimalExpansion ExpandFiniteNumber(std::uint64_t bits) {
  DecimalExpansion expansion;
  expansion.negative = (bits >> 63) != 0;

  const ExtendedReal x = ExtendMagnitude(bits);
  std::int32_t point = EstimateDecimalExponent(x);
  ExtendedReal y = ScaleByPowerOfTen(x, -point);
  if (y.exponent >= 0) {
    y = MultiplyExtended(y, kOneTenth);
    ++point;
  }

  // y lies in [0.1, 1) or a hair below 0.1, so its exponent is -4 to -1; F / 2^88 is y with
  // the bits that do not fit dropped.
  Uint128 fraction = (y.significand << 8) >> (-1 - y.exponent);

  std::array<char, kExpansionDigits + 1> digits{};
  for (char& digit : digits) {
    fraction *= 10;
    digit = static_cast<char>('0' + static_cast<int>(fraction >> kFractionWidth));
    fraction &= kFractionBitsMask;
  }

  // Round the 18 digits to 17, carrying through nines. A y a hair below 0.1 gives 0999…,
  // which the carry turns into 1000… without passing the first digit.
  if (digits[kExpansionDigits] >= '5') {
    std::size_t i = kExpansionDigits;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i > 0) {
      ++digits[i - 1];
    } else {
      digits[0] = '1';
      ++point;
    }
  }

  std::size_t count = kExpansionDigits;
  while (count > 1 && digits[count - 1] == '0') --count;
  std::copy_n(digits.begin(), count, expansion.digits.begin());
  expansion.digit_count = count;
  expansion.point_position = point;
  return expansion;
}

}  // namespace quorvel
