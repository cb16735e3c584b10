// Cross-checks TextToNumber against the C library on random texts (fixed seeds). The C library
// rounds to nearest with ties to even; TextToNumber agrees wherever the text lies clearly away
// from a halfway point, and exactly at a halfway point it keeps the double nearer zero.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "convert/text_to_number.h"
#include "convert/uint128.h"

namespace quorvel {
namespace {

// The text's value is taken with strtold, correctly rounded to at least 64 bits: 11 bits more
// than a double, enough to place it between two doubles to within a few thousandths of the
// gap, and far beyond the 0.01 margin kept from halfway points.
static_assert(LDBL_MANT_DIG >= 64);

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// The double above a non-negative double a; above the largest finite one, 2^1024.
long double NextUp(double a) {
  if (a == DBL_MAX) {
    return std::ldexp(1.0L, 1024);
  }
  return std::nextafter(a, INFINITY);
}

std::string RandomDigits(std::mt19937_64& random, int count) {
  std::string digits(1, static_cast<char>('1' + random() % 9));
  for (int i = 1; i < count; ++i) {
    digits += static_cast<char>('0' + random() % 10);
  }
  return digits;
}

// A decimal of 1 to 25 significant digits anywhere from about 1e-330 to 1e310, written in one of
// several ways: scientific, plain with a point, with leading zeros, with the exponent letter "d".
std::string RandomDecimal(std::mt19937_64& random) {
  const int count = 1 + static_cast<int>(random() % 25);
  const std::string digits = RandomDigits(random, count);
  const int exponent = static_cast<int>(random() % 641) - 330;  // of the first digit
  std::string text = random() % 2 == 0 ? "-" : "";
  switch (random() % 4) {
    case 0:
      if (exponent >= 0 && exponent < 30) {
        const int digits_before_point = exponent + 1;
        const auto point = static_cast<std::size_t>(digits_before_point);
        text += point >= digits.size() ? digits + std::string(point - digits.size(), '0')
                                       : digits.substr(0, point) + "." + digits.substr(point);
        return text;
      }
      [[fallthrough]];
    case 1:
      text += digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exponent);
      return text;
    case 2:
      text += "0.000" + digits + "D" + std::to_string(exponent + 4);
      return text;
    default:
      text += digits + "e" + std::to_string(exponent - count + 1);
      return text;
  }
}

TEST(TextToNumberCrossCheckTest, AgreesWithTheCLibraryAwayFromHalfwayPoints) {
  std::mt19937_64 random(20240611);
  int checked = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string text = RandomDecimal(random);
    std::string library_text = text;  // the C library knows only "e" and "E"
    std::replace(library_text.begin(), library_text.end(), 'D', 'e');
    const double nearest = std::strtod(library_text.c_str(), nullptr);
    const long double magnitude = std::fabs(std::strtold(library_text.c_str(), nullptr));
    double below = std::fabs(nearest);
    if (std::isinf(below)) {
      below = DBL_MAX;
    }
    if (below > magnitude) {
      below = std::nextafter(below, 0.0);
    }
    const long double position = (magnitude - below) / (NextUp(below) - below);
    if (std::fabs(position - 0.5L) < 0.01L) {
      continue;  // too close to a halfway point to expect the C library's answer
    }
    ++checked;
    ASSERT_EQ(Bits(TextToNumber(text.c_str())), Bits(nearest)) << text;
  }
  EXPECT_GT(checked, 95000);  // the filter passes nearly every random text
}

std::string Decimal(Uint128 value) {
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value != 0);
  return text;
}

// Midpoints between neighbouring doubles from 2^53 to 2^79 are integers of at most 24 digits,
// so they can be written out exactly; there the procedure works without rounding error and the
// halfway rule alone decides.
TEST(TextToNumberCrossCheckTest, ExactHalfwayPointsGoTowardZero) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const int exponent = 53 + static_cast<int>(random() % 26);  // of the lower double
    const std::uint64_t significand = (std::uint64_t{1} << 52) | (random() >> 12);
    const double lower = std::ldexp(static_cast<double>(significand), exponent - 52);
    const Uint128 midpoint = (2 * Uint128{significand} + 1) << (exponent - 53);
    const std::string digits = Decimal(midpoint);
    const bool negative = random() % 2 == 0;
    std::string text = negative ? "-" : "";
    if (random() % 2 == 0) {
      text += digits;
    } else {
      text +=
          digits.substr(0, 1) + "." + digits.substr(1) + "E+" + std::to_string(digits.size() - 1);
    }
    const double expected = negative ? -lower : lower;
    ASSERT_EQ(Bits(TextToNumber(text.c_str())), Bits(expected)) << text;
    // The C library breaks the tie to even, which is the other neighbour half of the time.
    const double library = std::strtod(text.c_str(), nullptr);
    ASSERT_TRUE(library == expected || std::fabs(library) == std::nextafter(lower, INFINITY))
        << text;
  }
}

}  // namespace
}  // namespace quorvel
