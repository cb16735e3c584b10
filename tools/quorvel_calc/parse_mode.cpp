#include "quorvel_calc/parse_mode.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/text_to_number.h"
#include "quorvel_calc/hex_text.h"

namespace quorvel::calc {

bool ParseLine(std::string_view line, std::string& output, std::string& reason) {
  std::string text;
  if (!DecodeHex(line, text, reason)) {
    return false;
  }
  if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
    reason = "byte " + std::to_string(nul + 1) + " is NUL (00), which a text cannot hold";
    return false;
  }
  output = HexWord(std::bit_cast<std::uint64_t>(TextToNumber(text.c_str())));
  return true;
}

}  // namespace quorvel::calc
