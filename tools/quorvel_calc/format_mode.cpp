#include "quorvel_calc/format_mode.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/format_number.h"

namespace quorvel::calc {
namespace {

constexpr std::size_t kHexDigits = 16;

// The value of a hex digit, or -1.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool FormatLine(std::string_view line, std::string& output, std::string& reason) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < line.size() && i < kHexDigits; ++i) {
    const int value = HexDigitValue(line[i]);
    if (value < 0) {
      reason = "'" + std::string(1, line[i]) + "' at column " + std::to_string(i + 1) +
               " is not a hex digit";
      return false;
    }
    bits = (bits << 4) | static_cast<std::uint64_t>(value);
  }
  if (line.size() != kHexDigits) {
    reason = "expected 16 hex digits (a double's bits), got " + std::to_string(line.size()) +
             " characters";
    return false;
  }
  output = FormatNumber(std::bit_cast<double>(bits)).View();
  return true;
}

}  // namespace quorvel::calc
