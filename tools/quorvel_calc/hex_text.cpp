#include "quorvel_calc/hex_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::calc {
namespace {

// The value of a hex digit, or -1.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

}  // namespace

bool DecodeHex(std::string_view hex, std::string& bytes, std::string& reason) {
  bytes.clear();
  for (std::size_t i = 0; i < hex.size(); ++i) {
    if (HexDigitValue(hex[i]) < 0) {
      const auto shown = static_cast<unsigned char>(hex[i]);
      reason = shown >= 0x20 && shown < 0x7F ? "'" + std::string(1, hex[i]) + "'"
                                             : "byte " + std::to_string(shown);
      reason += " at column " + std::to_string(i + 1) + " is not a hex digit";
      return false;
    }
  }
  if (hex.size() % 2 != 0) {
    reason = "odd number of hex digits (" + std::to_string(hex.size()) + ")";
    return false;
  }
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(HexDigitValue(hex[i]) * 16 + HexDigitValue(hex[i + 1])));
  }
  return true;
}

std::string HexWord(std::uint64_t word) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string hex(16, '0');
  for (std::size_t i = 16; i-- > 0; word >>= 4) {
    hex[i] = kDigits[word & 0xF];
  }
  return hex;
}

}  // namespace quorvel::calc
