// Hexadecimal spelling of byte strings and of 64-bit words, as the batch modes read and write
// them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::calc {

// Decodes pairs of hex digits (either case) into bytes. Returns false and sets `reason` for an
// odd number of digits or a character that is not a hex digit.
bool DecodeHex(std::string_view hex, std::string& bytes, std::string& reason);

// The 16 lowercase hex digits of `word`, most significant first.
std::string HexWord(std::uint64_t word);

}  // namespace quorvel::calc
