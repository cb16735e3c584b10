#include "convert/decimal_expansion.h"

#include <bit>
#include <cstring>

#include "convert/digit_characters.h"
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
constexpr std::uint64_t kTenToThe17 = 100'000'000'000'000'000;
constexpr std::uint64_t kTenToThe18 = 10 * kTenToThe17;

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

// The 18 digits that multiplying F by ten 18 times would cut off one by one, taken at once:
// F × 10^18 = digits × 2^88 + the rest, exactly. The product needs up to 148 bits, so F is
// split at bit 64.
std::uint64_t EighteenDigits(Uint128 fraction) {
  const Uint128 low = Uint128{static_cast<std::uint64_t>(fraction)} * kTenToThe18;
  const Uint128 high = (fraction >> 64) * kTenToThe18;
  return static_cast<std::uint64_t>(((low >> 64) + high) >> (kFractionWidth - 64));
}

// Writes the 17 digits of `value` (below 10^17), leading zeros included.
void WriteSeventeenDigits(std::uint64_t value, std::array<char, kExpansionDigits>& digits) {
  constexpr std::uint64_t kTenToThe8 = 100'000'000;
  constexpr std::uint64_t kTenToThe16 = kTenToThe8 * kTenToThe8;
  const std::uint64_t last_sixteen = value % kTenToThe16;
  const std::uint64_t first_eight =
      EightDigitCharacters(static_cast<std::uint32_t>(last_sixteen / kTenToThe8));
  const std::uint64_t second_eight =
      EightDigitCharacters(static_cast<std::uint32_t>(last_sixteen % kTenToThe8));
  digits[0] = static_cast<char>('0' + value / kTenToThe16);
  std::memcpy(&digits[1], &first_eight, sizeof first_eight);
  std::memcpy(&digits[9], &second_eight, sizeof second_eight);
}

}  // namespace

std::string_view DigitText(const DecimalExpansion& expansion) {
  std::size_t length = kExpansionDigits;
  while (length > 1 && expansion.digits[length - 1] == '0') --length;
  return {expansion.digits.data(), length};
}

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
  const Uint128 fraction = (y.significand << 8) >> (-1 - y.exponent);

  // Round the 18 digits to 17. All nines carry past the first digit into "1" and the next
  // point position; a y a hair below 0.1 gives 0999…, which becomes 1000… in place.
  const std::uint64_t eighteen = EighteenDigits(fraction);
  std::uint64_t seventeen = eighteen / 10 + (eighteen % 10 >= 5 ? 1 : 0);
  if (seventeen == kTenToThe17) {
    seventeen = kTenToThe17 / 10;
    ++point;
  }

  WriteSeventeenDigits(seventeen, expansion.digits);
  expansion.point_position = point;
  return expansion;
}

}  // namespace quorvel
