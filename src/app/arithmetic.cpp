#include "app/arithmetic.h"

#include <bit>
#include <cstdint>
#include <optional>

#include "convert/uint128.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cfenv>
#include <cfloat>
#endif

namespace quorvel {
namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;

bool IsNan(std::uint64_t bits) { return (bits & ~kSignBit) > kInfinityBits; }

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

// A NaN operand: the x87 unit quiets a signalling NaN as it loads it; of two NaNs it
// returns the one with the larger fraction, and on equal fractions the positive one.
// Both paths share this rule so that NaN operands give the same bits everywhere.
std::optional<double> NanOperandResult(double first, double second) {
  auto a = std::bit_cast<std::uint64_t>(first);
  auto b = std::bit_cast<std::uint64_t>(second);
  const bool a_nan = IsNan(a);
  const bool b_nan = IsNan(b);
  if (!a_nan && !b_nan) return std::nullopt;
  a |= kQuietBit;
  b |= kQuietBit;
  if (!b_nan) return FromBits(a);
  if (!a_nan) return FromBits(b);
  const std::uint64_t a_fraction = a & kFractionMask;
  const std::uint64_t b_fraction = b & kFractionMask;
  if (a_fraction != b_fraction) return FromBits(a_fraction > b_fraction ? a : b);
  return FromBits(a & b);
}

// ---- The software path ----

// A finite non-zero magnitude: significand × 2^exponent, the significand in [2^52, 2^53)
// (subnormal operands are normalised, their exponent going below -1074).
struct Magnitude {
  std::uint64_t significand;
  int exponent;
};

Magnitude Unpack(std::uint64_t bits) {
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kFractionMask;
  if (biased == 0) {
    const int shift = std::countl_zero(fraction) - 11;
    return {fraction << shift, -1074 - shift};
  }
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

int BitLength(Uint128 value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  if (high != 0) return 128 - std::countl_zero(high);
  return 64 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// Drops the low `drop` bits (0 <= drop <= 127) of `value`, rounding to nearest with ties to
// even. A lowest bit that stands for lost non-zero bits (a sticky bit) takes part as well.
Uint128 ShiftRightRounded(Uint128 value, int drop) {
  if (drop == 0) return value;
  Uint128 kept = value >> drop;
  const Uint128 rest = value & ((Uint128{1} << drop) - 1);
  const Uint128 half = Uint128{1} << (drop - 1);
  if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
  return kept;
}

// The extended value: a 64-bit significand with its top bit set, and its exponent.
struct Extended {
  std::uint64_t significand;
  int exponent;
};

// The first rounding: the exact value × 2^exponent (with a sticky lowest bit where bits
// were lost) to 64 significant bits. The extended exponent range holds every result of
// two doubles, so no overflow or underflow happens here.
Extended RoundToExtended(Uint128 exact, int exponent) {
  const int length = BitLength(exact);
  if (length <= 64) {
    const int shift = 64 - length;
    return {static_cast<std::uint64_t>(exact) << shift, exponent - shift};
  }
  int drop = length - 64;
  Uint128 kept = ShiftRightRounded(exact, drop);
  if ((kept >> 64) != 0) {
    kept >>= 1;  // rounded up to 2^64; the dropped bit is 0
    ++drop;
  }
  return {static_cast<std::uint64_t>(kept), exponent + drop};
}

// The second rounding: the extended value to a double, in the subnormal range to the bits
// that range has; too large a result becomes an infinity.
double RoundToDouble(bool negative, Extended value) {
  const std::uint64_t sign = negative ? kSignBit : 0;
  const int lead = value.exponent + 63;  // the weight of the top bit is 2^lead
  if (lead < -1022) {
    // Units of 2^-1074; a carry up to 2^52 gives the smallest normal double.
    const int drop = value.exponent >= -1074 - 127 ? -1074 - value.exponent : 127;
    return FromBits(sign | static_cast<std::uint64_t>(ShiftRightRounded(value.significand, drop)));
  }
  if (lead > 1023) return FromBits(sign | kInfinityBits);
  // The significand's implicit bit adds one to the biased exponent, and a carry to 2^53
  // adds two, which is the next binade with a zero fraction.
  const auto kept = static_cast<std::uint64_t>(ShiftRightRounded(value.significand, 11));
  const std::uint64_t bits = (static_cast<std::uint64_t>(lead + 1022) << 52) + kept;
  return FromBits(sign | (bits >= kInfinityBits ? kInfinityBits : bits));
}

double DefaultNan() { return FromBits(kDefaultNanBits); }

double AddInSoftware(std::uint64_t a, std::uint64_t b) {
  const bool a_negative = (a & kSignBit) != 0;
  const bool b_negative = (b & kSignBit) != 0;
  const std::uint64_t a_magnitude = a & ~kSignBit;
  const std::uint64_t b_magnitude = b & ~kSignBit;
  if (a_magnitude == kInfinityBits || b_magnitude == kInfinityBits) {
    if (a_magnitude != kInfinityBits) return FromBits(b);
    if (b_magnitude != kInfinityBits) return FromBits(a);
    return a_negative == b_negative ? FromBits(a) : DefaultNan();
  }
  if (b_magnitude == 0) {
    // x + 0 is x; +0 + -0 is +0 when rounding to nearest.
    return a_magnitude == 0 ? FromBits(a & b) : FromBits(a);
  }
  if (a_magnitude == 0) return FromBits(b);
  // Make the first operand the larger magnitude; it gives the result its sign.
  if (a_magnitude < b_magnitude) return AddInSoftware(b, a);

  const Magnitude larger = Unpack(a_magnitude);
  const Magnitude smaller = Unpack(b_magnitude);
  // 70 guard bits below the larger operand; the smaller one is aligned to it and what
  // falls off its end is kept as a sticky lowest bit.
  constexpr int kGuardBits = 70;
  const Uint128 x = Uint128{larger.significand} << kGuardBits;
  const Uint128 full = Uint128{smaller.significand} << kGuardBits;
  const int distance = larger.exponent - smaller.exponent;
  Uint128 y = 1;
  if (distance < 127) {
    y = full >> distance;
    if ((y << distance) != full) y |= 1;
  }
  const Uint128 exact = a_negative == b_negative ? x + y : x - y;
  if (exact == 0) return 0.0;  // equal magnitudes of opposite signs: +0
  return RoundToDouble(a_negative, RoundToExtended(exact, larger.exponent - kGuardBits));
}

double MultiplyInSoftware(std::uint64_t a, std::uint64_t b) {
  const bool negative = ((a ^ b) & kSignBit) != 0;
  const std::uint64_t sign = negative ? kSignBit : 0;
  const std::uint64_t a_magnitude = a & ~kSignBit;
  const std::uint64_t b_magnitude = b & ~kSignBit;
  if (a_magnitude == kInfinityBits || b_magnitude == kInfinityBits) {
    if (a_magnitude == 0 || b_magnitude == 0) return DefaultNan();
    return FromBits(sign | kInfinityBits);
  }
  if (a_magnitude == 0 || b_magnitude == 0) return FromBits(sign);
  const Magnitude x = Unpack(a_magnitude);
  const Magnitude y = Unpack(b_magnitude);
  const Uint128 exact = Uint128{x.significand} * y.significand;
  return RoundToDouble(negative, RoundToExtended(exact, x.exponent + y.exponent));
}

double DivideInSoftware(std::uint64_t a, std::uint64_t b) {
  const bool negative = ((a ^ b) & kSignBit) != 0;
  const std::uint64_t sign = negative ? kSignBit : 0;
  const std::uint64_t a_magnitude = a & ~kSignBit;
  const std::uint64_t b_magnitude = b & ~kSignBit;
  if (a_magnitude == kInfinityBits) {
    return b_magnitude == kInfinityBits ? DefaultNan() : FromBits(sign | kInfinityBits);
  }
  if (b_magnitude == kInfinityBits) return FromBits(sign);
  if (b_magnitude == 0) return a_magnitude == 0 ? DefaultNan() : FromBits(sign | kInfinityBits);
  if (a_magnitude == 0) return FromBits(sign);
  const Magnitude x = Unpack(a_magnitude);
  const Magnitude y = Unpack(b_magnitude);
  // Both significands lie in [2^52, 2^53), so the quotient has 74 or 75 bits; a non-zero
  // remainder becomes the sticky lowest bit.
  constexpr int kQuotientShift = 74;
  const Uint128 dividend = Uint128{x.significand} << kQuotientShift;
  Uint128 quotient = dividend / y.significand;
  if (quotient * y.significand != dividend) quotient |= 1;
  return RoundToDouble(negative,
                       RoundToExtended(quotient, x.exponent - y.exponent - kQuotientShift));
}

// ---- The x87 path ----

#if defined(__i386__) || defined(__x86_64__)
static_assert(LDBL_MANT_DIG == 64, "long double must be the x87 extended format");

// Precision control 64 bits, rounding to nearest, all six exceptions masked: the state
// start-up sets. Only these bits of the control word matter here.
constexpr std::uint16_t kCalculationControlBits = 0x0F3F;
constexpr std::uint16_t kStartUpControl = 0x033F;

std::uint16_t ReadControlWord() {
  std::uint16_t control = 0;
  asm volatile("fnstcw %0" : "=m"(control));
  return control;
}

void WriteControlWord(std::uint16_t control) {
  asm volatile("fldcw %0" : : "m"(control) : "memory");
}

double CalculateOnX87(Operation operation, double first, double second) {
  const std::uint16_t control = ReadControlWord();
  const bool as_start_up_set = (control & kCalculationControlBits) == kStartUpControl;
  std::fenv_t saved{};
  if (!as_start_up_set) {
    // Someone changed the unit: compute in the start-up state and give theirs back after.
    std::feholdexcept(&saved);
    WriteControlWord(
        static_cast<std::uint16_t>((control & ~kCalculationControlBits) | kStartUpControl));
  }
  // The volatile loads and store keep the operation between the two control-word writes.
  const volatile long double x = first;
  const volatile long double y = second;
  volatile double result = 0.0;
  switch (operation) {
    case Operation::kAdd:
      result = static_cast<double>(x + y);
      break;
    case Operation::kSubtract:
      result = static_cast<double>(x - y);
      break;
    case Operation::kMultiply:
      result = static_cast<double>(x * y);
      break;
    case Operation::kDivide:
      result = static_cast<double>(x / y);
      break;
  }
  if (!as_start_up_set) std::fesetenv(&saved);
  return result;
}
#endif

}  // namespace

double CalculateInSoftware(Operation operation, double first, double second) {
  if (const auto nan = NanOperandResult(first, second)) return *nan;
  const auto a = std::bit_cast<std::uint64_t>(first);
  const auto b = std::bit_cast<std::uint64_t>(second);
  switch (operation) {
    case Operation::kAdd:
      return AddInSoftware(a, b);
    case Operation::kSubtract:
      return AddInSoftware(a, b ^ kSignBit);
    case Operation::kMultiply:
      return MultiplyInSoftware(a, b);
    case Operation::kDivide:
      return DivideInSoftware(a, b);
  }
  return DefaultNan();
}

double Calculate(Operation operation, double first, double second) {
#if defined(__i386__) || defined(__x86_64__)
  if (const auto nan = NanOperandResult(first, second)) return *nan;
  return CalculateOnX87(operation, first, second);
#else
  return CalculateInSoftware(operation, first, second);
#endif
}

}  // namespace quorvel
