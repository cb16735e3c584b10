// The product of two finite extended values as MultiplyExtended forms it (its steps 2 to 5),
// inline so that the scaling loop of the conversions keeps its running value in registers.
// MultiplyExtended (extended_real.cpp) adds the signs, zero, infinity and the exponent range.
#pragma once

#include <cstdint>

#include "convert/extended_real.h"
#include "convert/uint128.h"

namespace quorvel::extended_product {

inline constexpr std::int32_t kInfiniteExponent = 16384;   // and above: infinity
inline constexpr std::int32_t kSmallestExponent = -16382;  // below: zero

struct FiniteProduct {
  std::int32_t exponent;
  Uint128 significand;  // 80 bits, top bit set
};

// Split each 80-bit significand into five 16-bit limbs, limb 0 the least significant. Only the
// limb products xi·yj with i + j >= 4 are formed, each added into a 96-bit accumulator at bit
// 16·(i + j - 4); the accumulator can therefore be a little below the top of the exact 160-bit
// product. They are gathered here as
//   x4·y4 at bit 64, x4·(limbs 0-3 of y) and (limbs 0-3 of x)·y4 at bit 0 (all products with
//   i = 4 or j = 4), and the six products of limbs 1-3 with i + j >= 4 at bits 0, 16 and 32,
// which is the same sum. It stays below 2^96 because it never exceeds the exact product
// shifted right by 64. The accumulator is then normalised and rounded half-even to 80 bits.
inline FiniteProduct MultiplyFinite(std::int32_t x_exponent, Uint128 x_significand,
                                    std::int32_t y_exponent, Uint128 y_significand) {
  constexpr std::uint64_t kLimbMask = 0xFFFF;
  const auto x_low = static_cast<std::uint64_t>(x_significand);  // limbs 0 to 3
  const auto y_low = static_cast<std::uint64_t>(y_significand);
  const auto x4 = static_cast<std::uint64_t>(x_significand >> 64);
  const auto y4 = static_cast<std::uint64_t>(y_significand >> 64);
  const std::uint64_t x1 = (x_low >> 16) & kLimbMask;
  const std::uint64_t x2 = (x_low >> 32) & kLimbMask;
  const std::uint64_t x3 = x_low >> 48;
  const std::uint64_t y1 = (y_low >> 16) & kLimbMask;
  const std::uint64_t y2 = (y_low >> 32) & kLimbMask;
  const std::uint64_t y3 = y_low >> 48;

  const std::uint64_t top = x4 * y4;
  const std::uint64_t at_bit_0 = x1 * y3 + x2 * y2 + x3 * y1;
  const std::uint64_t at_bit_16 = x2 * y3 + x3 * y2;
  const std::uint64_t at_bit_32 = x3 * y3;
  Uint128 accumulator = (Uint128{top} << 64) + Uint128{x4} * y_low + Uint128{x_low} * y4 +
                        at_bit_0 + (Uint128{at_bit_16} << 16) + (Uint128{at_bit_32} << 32);

  std::int32_t exponent = x_exponent + y_exponent + 1;
  if ((accumulator >> 95) == 0) {
    accumulator <<= 1;
    --exponent;
  }

  // Round to the top 80 bits: up when the 16 bits below are over half, or exactly half with
  // the lowest kept bit 1. A carry out gives 2^79 and one more in the exponent.
  Uint128 significand = accumulator >> 16;
  const std::uint64_t dropped = static_cast<std::uint64_t>(accumulator) & kLimbMask;
  if (dropped > 0x8000 || (dropped == 0x8000 && (significand & 1) != 0)) {
    ++significand;
    if ((significand >> kSignificandBits) != 0) {
      significand = kSignificandTopBit;
      ++exponent;
    }
  }
  return {exponent, significand};
}

}  // namespace quorvel::extended_product
