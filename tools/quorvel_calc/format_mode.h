// quorvel-calc --batch format: number to text, one double per line.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::calc {

// `line` is exactly 16 hex digits (either case), a double's bits, most significant first;
// `output` becomes the calculator's text for that double. Any other line is reported through
// `reason`.
bool FormatLine(std::string_view line, std::string& output, std::string& reason);

}  // namespace quorvel::calc
