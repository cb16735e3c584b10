// Reads the number at the start of a folded text: sign, digits, point and exponent part.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvel {

struct ScannedNumber {
  static constexpr int kMaxDigits = 25;
  // The exponent part's value is kept exactly up to this bound, far beyond any exponent a text
  // that fits in memory can cancel with its digits, so P = adjustment ± exponent cannot overflow.
  static constexpr std::int64_t kExponentCap = std::int64_t{1} << 62;

  bool negative = false;  // a "-" stood before the number
  // From the first non-zero digit on, at most 25 digit values.
  std::array<std::uint8_t, kMaxDigits> digits{};
  int digit_count = 0;
  // The power of ten by which the integer the digits form is multiplied, before the exponent.
  std::int64_t adjustment = 0;
  std::int64_t exponent = 0;  // the exponent part's value, 0 to kExponentCap
  bool exponent_negative = false;
  bool has_digits = false;  // at least one digit, zero or not, belonged to the number
  // Offset of the byte at which the scan stopped. To decide where to stop it reads at most the
  // two bytes after that one (or up to the NUL); every byte before it is ASCII.
  std::size_t stop = 0;
};

// `folded` is a folded copy, NUL-terminated. Everything after the number is ignored.
ScannedNumber ScanNumber(const char* folded);

}  // namespace quorvel
