// quorvel-calc --batch compute: the calculation on doubles given by their bits.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::calc {

// `line` is "OP AHEX BHEX": OP 0 for "+", 1 "-", 2 "*", 3 "/", as the selection of the
// operator box; AHEX and BHEX 16 hex digits (either case) each, a double's bits. `output`
// becomes the 16 lowercase hex digits of the result's bits. Any other line is reported
// through `reason`.
bool ComputeLine(std::string_view line, std::string& output, std::string& reason);

}  // namespace quorvel::calc
