#include "convert/scan_number.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

std::uint8_t DigitValue(char c) { return static_cast<std::uint8_t>(c - '0'); }

// Reads the text byte by byte; past the end it sees NUL, which continues nothing.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}
  char Peek(std::size_t ahead = 0) const {
    return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0';
  }
  void Advance(std::size_t count = 1) { position_ += count; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

void CollectDigit(ScannedNumber& number, std::uint8_t digit, bool after_point) {
  if (number.digit_count == 0 && digit == 0) {
    if (after_point) {
      --number.adjustment;  // a leading zero after the point only moves the point
    }
    return;
  }
  if (number.digit_count < ScannedNumber::kMaxDigits) {
    number.digits[static_cast<std::size_t>(number.digit_count++)] = digit;
    if (after_point) {
      --number.adjustment;
    }
  } else if (!after_point) {
    ++number.adjustment;  // not kept, but it still counts for the magnitude
  }
}

// The exponent digits, leading zeros and all, as an integer saturating at kExponentCap.
std::int64_t ReadExponentDigits(Cursor& cursor) {
  std::int64_t value = 0;
  while (IsDigit(cursor.Peek())) {
    const std::int64_t digit = DigitValue(cursor.Peek());
    value = value > (ScannedNumber::kExponentCap - digit) / 10 ? ScannedNumber::kExponentCap
                                                               : value * 10 + digit;
    cursor.Advance();
  }
  return value;
}

}  // namespace

ScannedNumber ScanNumber(std::string_view folded) {
  ScannedNumber number;
  Cursor cursor(folded);
  while (IsWhiteSpace(cursor.Peek())) {
    cursor.Advance();
  }
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    number.negative = cursor.Peek() == '-';
    cursor.Advance();
  }

  while (IsDigit(cursor.Peek())) {
    number.has_digits = true;
    CollectDigit(number, DigitValue(cursor.Peek()), false);
    cursor.Advance();
  }
  // Without digits before it, the point belongs to the number only if a digit follows it.
  if (cursor.Peek() == '.' && (number.has_digits || IsDigit(cursor.Peek(1)))) {
    cursor.Advance();
    while (IsDigit(cursor.Peek())) {
      number.has_digits = true;
      CollectDigit(number, DigitValue(cursor.Peek()), true);
      cursor.Advance();
    }
  }
  if (!number.has_digits) {
    return number;
  }

  // An exponent letter counts only when a digit follows it, directly or after one sign.
  if (IsExponentLetter(cursor.Peek())) {
    const char after_letter = cursor.Peek(1);
    const bool has_sign = after_letter == '+' || after_letter == '-';
    if (IsDigit(cursor.Peek(has_sign ? 2 : 1))) {
      number.exponent_negative = after_letter == '-';
      cursor.Advance(has_sign ? 2 : 1);
      number.exponent = ReadExponentDigits(cursor);
    }
  }
  return number;
}

}  // namespace quorvel
