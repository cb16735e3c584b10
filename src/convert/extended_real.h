// ExtendedReal: a binary floating-point value with an 80-bit significand, shared by both
// conversions. A finite value is significand × 2^(exponent − 79) with bit 79 of the
// significand set, so 1.0 has significand 2^79 and exponent 0.
#pragma once

#include <cstdint>

#include "convert/uint128.h"

namespace quorvel {

struct ExtendedReal {
  enum class Kind : std::uint8_t { kZero, kFinite, kInfinity };

  Kind kind = Kind::kZero;
  bool negative = false;
  std::int32_t exponent = 0;  // e, from -16382 to 16383 for finite values
  Uint128 significand = 0;    // S, 80 bits, top bit set for finite values

  friend constexpr bool operator==(const ExtendedReal&, const ExtendedReal&) = default;
};

inline constexpr int kSignificandBits = 80;
inline constexpr Uint128 kSignificandTopBit = Uint128{1} << 79;
inline constexpr Uint128 kSignificandMask = (Uint128{1} << 80) - 1;

// A finite value; `significand` must have bit 79 as its top bit.
constexpr ExtendedReal FiniteExtended(std::int32_t exponent, Uint128 significand,
                                      bool negative = false) {
  return {ExtendedReal::Kind::kFinite, negative, exponent, significand};
}

// The product as the fixed procedure forms it: only the 16-bit limb products with
// i + j >= 4 enter a 96-bit accumulator, which is normalised and rounded half-even to 80 bits.
ExtendedReal MultiplyExtended(const ExtendedReal& x, const ExtendedReal& y);

}  // namespace quorvel
