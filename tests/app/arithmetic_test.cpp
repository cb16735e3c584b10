#include "app/arithmetic.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#if defined(__i386__) || defined(__x86_64__)
#include <fpu_control.h>
#endif

namespace quorvel {
namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }
double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

std::string Describe(Operation operation, double first, double second) {
  constexpr std::string_view kSymbols = "+-*/";
  std::ostringstream text;
  text << std::hex << std::setfill('0') << std::setw(16) << Bits(first) << ' '
       << kSymbols[static_cast<std::size_t>(operation)] << ' ' << std::setw(16) << Bits(second);
  return text.str();
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMinNormal = std::numeric_limits<double>::min();
constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();

struct Case {
  Operation operation;
  double first;
  double second;
  std::uint64_t expected;
};

// Each case holds for the platform path and for the software reproduction alike.
TEST(ArithmeticTest, TableOfResults) {
  const std::vector<Case> cases = {
      // Rounded to 64 bits the sum is the tie 1 + 2^-53, which then goes to even: 1, not
      // the 1 + 2^-52 a single rounding to double gives.
      {Operation::kAdd, 1.0, 0x1p-53 + 0x1p-64, Bits(1.0)},
      {Operation::kSubtract, 1.0, -(0x1p-53 + 0x1p-64), Bits(1.0)},
      {Operation::kAdd, 1.0, 0x1p-53 + 0x1p-63, Bits(1.0 + 0x1p-52)},
      {Operation::kDivide, 2.0, 3.0, Bits(2.0 / 3.0)},
      {Operation::kMultiply, 0.1, 3.0, Bits(0.30000000000000004)},
      // Quotients whose 64-bit rounding is decided only by the remainder of the division.
      {Operation::kDivide, 0x1.2389e7574546bp+0, 0x1.3a76039296d1cp+0, Bits(0x1.daada4b3fffa1p-1)},
      {Operation::kDivide, 0x1.0a8bfeffa0214p+0, 0x1.54618a207a6d7p+0, Bits(0x1.90f05c4e2f80bp-1)},
      // Overflow, also when it only appears at the rounding to double.
      {Operation::kMultiply, 1e308, 10.0, Bits(kInfinity)},
      {Operation::kMultiply, -1e308, 10.0, Bits(-kInfinity)},
      {Operation::kAdd, kMax, 0x1p970, Bits(kInfinity)},
      {Operation::kAdd, kMax, 0x1p969, Bits(kMax)},
      {Operation::kSubtract, -kMax, kMax, Bits(-kInfinity)},
      // Division by zero: the sign is the exclusive or of the operands' signs.
      {Operation::kDivide, 1.0, 0.0, Bits(kInfinity)},
      {Operation::kDivide, -1.0, 0.0, Bits(-kInfinity)},
      {Operation::kDivide, 1.0, -0.0, Bits(-kInfinity)},
      {Operation::kDivide, -1.0, -0.0, Bits(kInfinity)},
      // Signed zeros.
      {Operation::kSubtract, 1.0, 1.0, Bits(0.0)},
      {Operation::kAdd, -0.0, -0.0, Bits(-0.0)},
      {Operation::kAdd, 0.0, -0.0, Bits(0.0)},
      {Operation::kSubtract, -0.0, 0.0, Bits(-0.0)},
      {Operation::kMultiply, 0.0, -5.0, Bits(-0.0)},
      {Operation::kDivide, -0.0, 5.0, Bits(-0.0)},
      {Operation::kDivide, 5.0, -kInfinity, Bits(-0.0)},
      // Every invalid operation gives the default NaN.
      {Operation::kDivide, 0.0, 0.0, kDefaultNanBits},
      {Operation::kDivide, -0.0, 0.0, kDefaultNanBits},
      {Operation::kDivide, kInfinity, -kInfinity, kDefaultNanBits},
      {Operation::kMultiply, 0.0, kInfinity, kDefaultNanBits},
      {Operation::kMultiply, -kInfinity, 0.0, kDefaultNanBits},
      {Operation::kSubtract, kInfinity, kInfinity, kDefaultNanBits},
      {Operation::kAdd, -kInfinity, kInfinity, kDefaultNanBits},
      // Infinite operands otherwise follow the usual rules.
      {Operation::kAdd, kInfinity, -kMax, Bits(kInfinity)},
      {Operation::kDivide, -kInfinity, 2.0, Bits(-kInfinity)},
      // Subnormal results, rounded to the bits that range has, ties to even.
      {Operation::kMultiply, 0x1p-1000, 0x1p-70, Bits(0x1p-1070)},
      {Operation::kMultiply, kMinNormal, 0.5, Bits(0x1p-1023)},
      {Operation::kMultiply, kMinSubnormal, 0.5, Bits(0.0)},
      {Operation::kMultiply, kMinSubnormal, 1.5, Bits(2 * kMinSubnormal)},
      {Operation::kDivide, -kMinSubnormal, 4.0 / 3.0, Bits(-kMinSubnormal)},
      {Operation::kSubtract, kMinNormal, kMinSubnormal, Bits(kMinNormal) - 1},
      {Operation::kDivide, kMinNormal, 0x1p53, Bits(0.0)},
      {Operation::kDivide, kMinNormal, 0x1p52, Bits(kMinSubnormal)},
      // NaN operands: a quiet NaN comes back unchanged, a signalling one quieted.
      {Operation::kAdd, FromBits(0x7FF8000000000123), 1.0, 0x7FF8000000000123},
      {Operation::kMultiply, 2.0, FromBits(0xFFF0000000000001), 0xFFF8000000000001},
      // Of two NaNs the larger fraction wins, and on equal fractions the positive one.
      {Operation::kDivide, FromBits(0x7FF8000000000001), FromBits(0xFFF8000000000002),
       0xFFF8000000000002},
      {Operation::kAdd, FromBits(0xFFF8000000000001), FromBits(0x7FF0000000000001),
       0x7FF8000000000001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.operation, c.first, c.second));
    EXPECT_EQ(Bits(Calculate(c.operation, c.first, c.second)), c.expected);
    EXPECT_EQ(Bits(CalculateInSoftware(c.operation, c.first, c.second)), c.expected);
  }
}

// Operands that reach the places where roundings are decided: arbitrary bit patterns, sums
// whose low bits fall just at the 64th and 53rd significant bit, products and quotients at
// the edges of the exponent range, and a fixed set of special values.
int OtherExponent(double other) {
  return std::isfinite(other) && other != 0.0 ? std::ilogb(other) : 0;
}

double RandomOperand(std::mt19937_64& random, double other) {
  static const std::vector<double> kSpecials = {0.0,
                                                -0.0,
                                                kInfinity,
                                                -kInfinity,
                                                kMax,
                                                -kMax,
                                                kMinNormal,
                                                -kMinNormal,
                                                kMinSubnormal,
                                                -kMinSubnormal,
                                                1.0,
                                                -1.0,
                                                FromBits(0x7FF8000000000000),
                                                FromBits(0x7FF0000000000001)};
  std::uniform_int_distribution<int> pick(0, 6);
  const std::uint64_t bits = random();
  switch (pick(random)) {
    case 0:
      return FromBits(bits);
    case 1: {
      // A few bits placed from 50 to 75 binary places below the other operand.
      // Half of them sparse, such as 2^11 + 1, which lands on both rounding points at once.
      const std::uint64_t sparse = 0x800 | (std::uint64_t{1} << ((bits >> 32) % 12));
      const auto small = static_cast<double>((bits >> 41) & 1 ? sparse : bits & 0xFFF);
      const int exponent = OtherExponent(other) - 50 - static_cast<int>((bits >> 12) % 26);
      const double value = std::ldexp(small, exponent);
      return (bits >> 40) & 1 ? -value : value;
    }
    case 2:
      // Near the other operand, so that a subtraction cancels.
      return FromBits(Bits(other) ^ (bits & 0x7));
    case 3:
      // Magnitudes about 2^±540: products and quotients run under and over the range.
      return FromBits((bits & 0x800FFFFFFFFFFFFF) |
                      (static_cast<std::uint64_t>(483 + (bits >> 52) % 60) << 52) |
                      (((bits >> 20) & 1) ? std::uint64_t{0x3FF} << 52 : 0));
    case 4:
      return FromBits(bits & 0x800FFFFFFFFFFFFF);  // subnormal
    case 5:
      return kSpecials[bits % kSpecials.size()];
    default:
      // A significand of only a few bits: exact ties are common.
      return std::ldexp(static_cast<double>(bits & 0x3F), static_cast<int>((bits >> 8) % 120) - 60);
  }
}

#if defined(__i386__) || defined(__x86_64__)
// The unit itself, as the program's start-up state leaves it, with nothing in between.
double OnX87Directly(Operation operation, double first, double second) {
  const volatile long double x = first;
  const volatile long double y = second;
  switch (operation) {
    case Operation::kAdd:
      return static_cast<double>(x + y);
    case Operation::kSubtract:
      return static_cast<double>(x - y);
    case Operation::kMultiply:
      return static_cast<double>(x * y);
    case Operation::kDivide:
      return static_cast<double>(x / y);
  }
  return 0.0;
}
#else
double OnX87Directly(Operation operation, double first, double second) {
  return Calculate(operation, first, second);
}
#endif

TEST(ArithmeticTest, SoftwareReproducesTheX87OnRandomOperands) {
  if (!kCalculatesOnX87) GTEST_SKIP() << "no x87 unit to compare with";
  std::mt19937_64 random(20240607);
  int failures = 0;
  for (int i = 0; i < 400000 && failures < 10; ++i) {
    const double first = RandomOperand(random, 1.0 + static_cast<double>(random() >> 12) * 0x1p-52);
    const double second = RandomOperand(random, first);
    for (const Operation operation :
         {Operation::kAdd, Operation::kSubtract, Operation::kMultiply, Operation::kDivide}) {
      const std::uint64_t hardware = Bits(OnX87Directly(operation, first, second));
      const std::uint64_t calculated = Bits(Calculate(operation, first, second));
      const std::uint64_t software = Bits(CalculateInSoftware(operation, first, second));
      if (calculated != hardware || software != hardware) {
        ++failures;
        ADD_FAILURE() << Describe(operation, first, second) << ": x87 " << std::hex << hardware
                      << ", Calculate " << calculated << ", software " << software;
      }
    }
  }
}

#if defined(__i386__) || defined(__x86_64__)
// Whoever changed the x87 control word gets it back; the calculation itself runs at 64-bit
// precision, rounding to nearest, with no exception trapping.
class X87ControlWordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _FPU_GETCW(original_);
    // Earlier calculations leave exception flags set; an unmasked one would trap at once.
    std::feclearexcept(FE_ALL_EXCEPT);
  }
  void TearDown() override { _FPU_SETCW(original_); }
  fpu_control_t original_ = 0;
};

TEST_F(X87ControlWordTest, DoublePrecisionControlIsRestoredAndNotUsed) {
  const fpu_control_t changed = 0x027F;  // 53-bit precision, otherwise as at start-up
  _FPU_SETCW(changed);
  EXPECT_EQ(Bits(Calculate(Operation::kAdd, 1.0, 0x1p-53 + 0x1p-64)), Bits(1.0));
  fpu_control_t after = 0;
  _FPU_GETCW(after);
  EXPECT_EQ(after, changed);
}

TEST_F(X87ControlWordTest, UnmaskedDivisionByZeroStillGivesInfinity) {
  const fpu_control_t changed = 0x0B7B;  // division by zero unmasked, rounding upwards
  _FPU_SETCW(changed);
  EXPECT_EQ(Bits(Calculate(Operation::kDivide, -1.0, 0.0)), Bits(-kInfinity));
  EXPECT_EQ(Bits(Calculate(Operation::kDivide, 1.0, 3.0)), Bits(1.0 / 3.0));
  fpu_control_t after = 0;
  _FPU_GETCW(after);
  EXPECT_EQ(after, changed);
}
#endif

}  // namespace
}  // namespace quorvel
