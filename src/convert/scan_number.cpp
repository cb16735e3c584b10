#include "convert/scan_number.h"

#include <cstddef>
#include <cstdint>

namespace quorvel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

std::uint8_t DigitValue(char c) { return static_cast<std::uint8_t>(c - '0'); }

// The exponent digits, leading zeros and all, as an integer saturating at kExponentCap.
std::int64_t ReadExponentDigits(const char*& position) {
  std::int64_t value = 0;
  for (; IsDigit(*position); ++position) {
    const std::int64_t digit = DigitValue(*position);
    value = value > (ScannedNumber::kExponentCap - digit) / 10 ? ScannedNumber::kExponentCap
                                                               : value * 10 + digit;
  }
  return value;
}

}  // namespace

ScannedNumber ScanNumber(const char* folded) {
  ScannedNumber number;
  const char* position = folded;
  while (IsWhiteSpace(*position)) {
    ++position;
  }
  if (*position == '+' || *position == '-') {
    number.negative = *position == '-';
    ++position;
  }

  // Counted in locals: stores into the digit bytes could otherwise alias them.
  int count = 0;
  std::int64_t adjustment = 0;

  // Before the point: zeros before the first non-zero digit count for nothing; digits beyond
  // the 25th are not kept but raise the adjustment.
  const char* const mantissa = position;
  while (*position == '0') {
    ++position;
  }
  for (; IsDigit(*position); ++position) {
    if (count < ScannedNumber::kMaxDigits) {
      number.digits[static_cast<std::size_t>(count++)] = DigitValue(*position);
    } else {
      ++adjustment;
    }
  }
  bool has_digits = position != mantissa;

  // After the point, which needs a digit before it or directly after it: zeros before the first
  // non-zero digit only move the point; digits beyond the 25th are ignored.
  if (*position == '.' && (has_digits || IsDigit(position[1]))) {
    ++position;
    const char* const fraction = position;
    if (count == 0) {
      for (; *position == '0'; ++position) {
        --adjustment;
      }
    }
    for (; IsDigit(*position); ++position) {
      if (count < ScannedNumber::kMaxDigits) {
        number.digits[static_cast<std::size_t>(count++)] = DigitValue(*position);
        --adjustment;
      }
    }
    has_digits = has_digits || position != fraction;
  }
  number.digit_count = count;
  number.adjustment = adjustment;
  number.has_digits = has_digits;
  if (!has_digits) {
    number.stop = static_cast<std::size_t>(position - folded);
    return number;
  }

  // An exponent letter counts only when a digit follows it, directly or after one sign.
  if (IsExponentLetter(*position)) {
    const char after_letter = position[1];
    const bool has_sign = after_letter == '+' || after_letter == '-';
    if (IsDigit(position[has_sign ? 2 : 1])) {
      number.exponent_negative = after_letter == '-';
      position += has_sign ? 2 : 1;
      number.exponent = ReadExponentDigits(position);
    }
  }
  number.stop = static_cast<std::size_t>(position - folded);
  return number;
}

}  // namespace quorvel
