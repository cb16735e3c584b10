// quorvel-calc --batch parse: text to number, one text per line.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::calc {

// `line` is the text as hex of its GBK bytes (empty for the empty text); `output` becomes the
// 16 lowercase hex digits of the resulting double's bits. Malformed hex, or a NUL byte, which
// a text cannot hold, is reported through `reason`.
bool ParseLine(std::string_view line, std::string& output, std::string& reason);

}  // namespace quorvel::calc
