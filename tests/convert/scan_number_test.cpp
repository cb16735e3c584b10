#include "convert/scan_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {
namespace {

std::vector<int> Digits(const ScannedNumber& number) {
  return {number.digits.begin(), number.digits.begin() + number.digit_count};
}

TEST(ScanNumberTest, LeadingZerosAreNotCollectedButMoveThePoint) {
  const ScannedNumber number = ScanNumber("  -000.00120e-07x");
  EXPECT_TRUE(number.negative);
  EXPECT_TRUE(number.has_digits);
  EXPECT_EQ(Digits(number), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(number.adjustment, -5);
  EXPECT_EQ(number.exponent, 7);
  EXPECT_TRUE(number.exponent_negative);
}

TEST(ScanNumberTest, KeepsTwentyFiveDigitsAndCountsTheRestBeforeThePoint) {
  const ScannedNumber whole = ScanNumber("1234567890123456789012345678.9");
  EXPECT_EQ(whole.digit_count, 25);
  EXPECT_EQ(whole.digits[24], 5);
  EXPECT_EQ(whole.adjustment, 3);  // 6, 7 and 8 are not kept; 9 after the point is ignored

  const ScannedNumber fraction = ScanNumber("0.001234567890123456789012345678");
  EXPECT_EQ(fraction.digit_count, 25);
  EXPECT_EQ(fraction.adjustment, -27);
}

// The exponent part is read exactly, not capped, so that digits and exponent can cancel.
TEST(ScanNumberTest, ReadsTheExponentExactlyAndSaturatesOnlyFarAway) {
  EXPECT_EQ(ScanNumber("1e0000000000000000005300").exponent, 5300);
  EXPECT_EQ(ScanNumber("1E+123456789012").exponent, 123456789012);
  EXPECT_EQ(ScanNumber((std::string("1e") + std::string(5000, '9')).c_str()).exponent,
            ScannedNumber::kExponentCap);
}

TEST(ScanNumberTest, AnExponentLetterWithoutDigitsEndsTheNumber) {
  for (const char* text : {"1e", "1e+", "1e-x", "1d 5", "1E"}) {
    const ScannedNumber number = ScanNumber(text);
    EXPECT_EQ(number.exponent, 0) << text;
    EXPECT_FALSE(number.exponent_negative) << text;
    EXPECT_EQ(Digits(number), std::vector<int>{1}) << text;
  }
}

TEST(ScanNumberTest, APointNeedsADigitBeforeOrDirectlyAfterIt) {
  EXPECT_FALSE(ScanNumber(".").has_digits);
  EXPECT_FALSE(ScanNumber("-.e5").has_digits);
  EXPECT_TRUE(ScanNumber("5.").has_digits);
  EXPECT_TRUE(ScanNumber(".5").has_digits);
  EXPECT_EQ(ScanNumber("5.e2").exponent, 2);  // the point is part of "5."
  // Zeros only: digits, but none collected.
  const ScannedNumber zeros = ScanNumber("-00.000e7");
  EXPECT_TRUE(zeros.has_digits);
  EXPECT_EQ(zeros.digit_count, 0);
}

}  // namespace
}  // namespace quorvel
