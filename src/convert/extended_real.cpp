#include "convert/extended_real.h"

#include <array>
#include <cstdint>

namespace quorvel {
namespace {

constexpr int kLimbCount = 5;
constexpr int kLimbBits = 16;
constexpr std::uint32_t kLimbMask = 0xFFFF;
constexpr int kAccumulatorTopBit = 95;
constexpr std::uint32_t kHalfOfDroppedBits = 0x8000;
constexpr std::int32_t kInfiniteExponent = 16384;
constexpr std::int32_t kSmallestExponent = -16382;

// Limb 0 is the least significant. Each limb is held in 32 bits so that the product of two
// limbs is formed without overflow.
std::array<std::uint32_t, kLimbCount> SplitIntoLimbs(Uint128 significand) {
  std::array<std::uint32_t, kLimbCount> limbs{};
  for (std::uint32_t& limb : limbs) {
    limb = static_cast<std::uint32_t>(significand) & kLimbMask;
    significand >>= kLimbBits;
  }
  return limbs;
}

ExtendedReal Special(ExtendedReal::Kind kind, bool negative) {
  ExtendedReal value;
  value.kind = kind;
  value.negative = negative;
  return value;
}

}  // namespace

ExtendedReal MultiplyExtended(const ExtendedReal& x, const ExtendedReal& y) {
  const bool negative = x.negative != y.negative;
  if (x.kind == ExtendedReal::Kind::kInfinity || y.kind == ExtendedReal::Kind::kInfinity) {
    return Special(ExtendedReal::Kind::kInfinity, negative);
  }
  if (x.kind == ExtendedReal::Kind::kZero || y.kind == ExtendedReal::Kind::kZero) {
    return Special(ExtendedReal::Kind::kZero, negative);
  }

  // Only the limb products that reach the top 96 of the 160 product bits are formed; the
  // accumulator can therefore be a little below the top of the exact product. The sum stays
  // below 2^96 because it never exceeds the exact product shifted right by 64.
  const std::array<std::uint32_t, kLimbCount> x_limbs = SplitIntoLimbs(x.significand);
  const std::array<std::uint32_t, kLimbCount> y_limbs = SplitIntoLimbs(y.significand);
  Uint128 accumulator = 0;
  for (int i = 0; i < kLimbCount; ++i) {
    for (int j = kLimbCount - 1 - i; j < kLimbCount; ++j) {
      const std::uint32_t limb_product =
          x_limbs[static_cast<std::size_t>(i)] * y_limbs[static_cast<std::size_t>(j)];
      accumulator += Uint128{limb_product} << (kLimbBits * (i + j - (kLimbCount - 1)));
    }
  }

  std::int32_t exponent = x.exponent + y.exponent + 1;
  if ((accumulator >> kAccumulatorTopBit) == 0) {
    accumulator <<= 1;
    --exponent;
  }

  Uint128 significand = accumulator >> kLimbBits;
  const auto dropped = static_cast<std::uint32_t>(accumulator) & kLimbMask;
  if (dropped > kHalfOfDroppedBits || (dropped == kHalfOfDroppedBits && (significand & 1) != 0)) {
    ++significand;
    if ((significand >> kSignificandBits) != 0) {
      significand = kSignificandTopBit;
      ++exponent;
    }
  }

  if (exponent >= kInfiniteExponent) {
    return Special(ExtendedReal::Kind::kInfinity, negative);
  }
  if (exponent < kSmallestExponent) {
    return Special(ExtendedReal::Kind::kZero, negative);
  }
  ExtendedReal product;
  product.kind = ExtendedReal::Kind::kFinite;
  product.negative = negative;
  product.exponent = exponent;
  product.significand = significand;
  return product;
}

}  // namespace quorvel
