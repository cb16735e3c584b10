// GBK is the system's encoding: descriptions and text values hold GBK bytes, and the window
// binding converts at its boundary. Conversion uses the C library's iconv.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// A character GBK cannot hold becomes "?", as does each byte of a malformed UTF-8 sequence.
std::string Utf8ToGbk(std::string_view utf8);

// A byte sequence that is not GBK becomes "?" for each byte that cannot start a character.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace quorvel
