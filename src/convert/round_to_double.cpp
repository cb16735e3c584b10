#include "convert/round_to_double.h"

#include <bit>
#include <cstdint>

#include "convert/extended_real.h"
#include "convert/uint128.h"

namespace quorvel {
namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;
constexpr int kFractionBits = 52;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kFractionBits) - 1;
constexpr std::int32_t kExponentBias = 1023;
constexpr std::int32_t kSmallestNormalExponent = -1022;
constexpr std::int32_t kInfiniteExponent = 1024;

// Below the 53 retained bits of the 80: one rounding bit and 26 tail bits, of which 10 are in
// the top 64 bits of the significand and 16 below them.
constexpr int kLowWordBits = kSignificandBits - 64;
constexpr std::uint64_t kLowWordMask = (std::uint64_t{1} << kLowWordBits) - 1;
constexpr int kTopTailBits = 64 - 53 - 1;
constexpr std::uint64_t kTopTailMask = (std::uint64_t{1} << kTopTailBits) - 1;

// The subnormal field: the 80 significand bits at the top of 96, of which the top 52 are kept,
// then one rounding bit and 43 tail bits.
constexpr int kFieldBits = 96;
constexpr int kFieldDroppedBits = kFieldBits - kFractionBits;

// Adds one unit when the first of the `dropped` low bits is 1 and any bit below it is 1 as well;
// a value exactly halfway therefore stays with the smaller magnitude.
std::uint64_t RoundTowardZeroAtHalf(Uint128 bits, int dropped) {
  const auto kept = static_cast<std::uint64_t>(bits >> dropped);
  const bool rounding_bit = ((bits >> (dropped - 1)) & 1) != 0;
  const bool tail = (bits & ((Uint128{1} << (dropped - 1)) - 1)) != 0;
  return kept + (rounding_bit && tail ? 1 : 0);
}

}  // namespace

double RoundToDouble(const ExtendedReal& value, bool negative) {
  const std::uint64_t sign = negative ? kSignBit : 0;
  if (value.kind == ExtendedReal::Kind::kZero) {
    return std::bit_cast<double>(sign);
  }
  if (value.kind == ExtendedReal::Kind::kInfinity) {
    return std::bit_cast<double>(sign | kInfinityBits);
  }

  std::int32_t exponent = value.exponent;
  if (exponent >= kSmallestNormalExponent) {
    // In two words: the top 64 of the 80 bits hold the 53 retained bits, the rounding bit and
    // 10 tail bits; the low 16 bits are the rest of the tail.
    const auto top = static_cast<std::uint64_t>(value.significand >> kLowWordBits);
    const auto low = static_cast<std::uint64_t>(value.significand) & kLowWordMask;
    const bool rounding_bit = ((top >> kTopTailBits) & 1) != 0;
    const bool tail = (top & kTopTailMask) != 0 || low != 0;
    std::uint64_t retained = (top >> (kTopTailBits + 1)) + (rounding_bit && tail ? 1 : 0);
    if ((retained >> (kFractionBits + 1)) != 0) {  // carried out of the top bit: 2^(e + 1)
      retained >>= 1;
      ++exponent;
    }
    if (exponent >= kInfiniteExponent) {
      return std::bit_cast<double>(sign | kInfinityBits);
    }
    const std::int32_t biased = exponent + kExponentBias;  // 1 to 2046
    return std::bit_cast<double>(sign | (static_cast<std::uint64_t>(biased) << kFractionBits) |
                                 (retained & kFractionMask));
  }

  // Subnormal or zero: after the shift the field's top position weighs 2^-1023, so its top 52
  // positions count units of 2^-1074. A carry into the 53rd bit gives exactly the bits of
  // 2^-1022, the smallest normal double.
  const std::int32_t shift = -kExponentBias - exponent;
  Uint128 field = value.significand << (kFieldBits - kSignificandBits);
  field = shift >= kFieldBits ? 0 : field >> shift;
  return std::bit_cast<double>(sign | RoundTowardZeroAtHalf(field, kFieldDroppedBits));
}

}  // namespace quorvel
