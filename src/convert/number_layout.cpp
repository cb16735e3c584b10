#include "convert/number_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quorvel {
namespace {

constexpr std::int32_t kSmallestFixedExponent = -4;
constexpr std::int32_t kLargestFixedExponent = 12;

// The layout copies digits in blocks of a fixed size, which is quicker than copying exactly
// as many as are kept; the digits are therefore read from a copy padded with "0" and written
// into the text's buffer, which has room to spare, and the length decides what counts.
constexpr std::size_t kBlock = 16;
// The furthest write: a sign, 13 whole digits, the point and a block of the fraction.
static_assert(1 + kDisplayDigits + 1 + kBlock <= kNumberTextCapacity);

// The number of characters of G up to its last one that is not "0"; 0 when all are "0".
std::size_t SignificantLength(const std::array<char, kDisplayDigits>& digits) {
  std::size_t length = kDisplayDigits;
  while (length > 0 && digits[length - 1] == '0') --length;
  return length;
}

// Writes "e", the sign and at least three digits of the exponent; returns the place after it.
// Doubles reach only -324 to 308, so three digits always suffice.
char* PutExponent(char* out, std::int32_t exponent) {
  const auto magnitude = static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent);
  out[0] = 'e';
  out[1] = exponent < 0 ? '-' : '+';
  out[2] = static_cast<char>('0' + magnitude / 100 % 10);
  out[3] = static_cast<char>('0' + magnitude / 10 % 10);
  out[4] = static_cast<char>('0' + magnitude % 10);
  return out + 5;
}

}  // namespace

NumberText LayOutNumber(const DisplayDigits& rounded) {
  std::array<char, kDisplayDigits + kBlock> digits{};
  digits.fill('0');
  std::copy_n(rounded.digits.begin(), kDisplayDigits, digits.begin());
  const char* g = digits.data();
  const std::size_t significant = SignificantLength(rounded.digits);

  NumberText text;
  char* out = text.chars.data();
  if (rounded.negative) *out++ = '-';

  const std::int32_t point = rounded.point_position;
  const std::int32_t exponent = point - 1;
  if (exponent < kSmallestFixedExponent || exponent > kLargestFixedExponent) {
    // d.ddd…e±XXX, the point only when a digit that is not "0" follows it.
    out[0] = g[0];
    out[1] = '.';
    std::memcpy(out + 2, g + 1, kBlock);
    out += significant > 1 ? significant + 1 : 1;
    out = PutExponent(out, exponent);
  } else if (point >= 1) {
    // The first `point` digits, then the point and the rest, if any is not "0".
    const auto whole = static_cast<std::size_t>(point);
    std::memcpy(out, g, kBlock);
    out[whole] = '.';
    std::memcpy(out + whole + 1, g + whole, kBlock);
    out += significant > whole ? significant + 1 : whole;
  } else {
    // "0.", as many zeros as the point stands before the first digit, then the digits. Zero
    // itself has no significant digit and is just "0".
    const auto zeros = static_cast<std::size_t>(-point);
    out[0] = '0';
    out[1] = '.';
    std::memset(out + 2, '0', zeros);
    std::memcpy(out + 2 + zeros, g, kBlock);
    out += significant > 0 ? 2 + zeros + significant : 1;
  }

  text.length = static_cast<std::size_t>(out - text.chars.data());
  return text;
}

}  // namespace quorvel
