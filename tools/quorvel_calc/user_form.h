// quorvel-calc NUMBER OPERATOR NUMBER: one calculation as the window's button does it.
#pragma once

#include <cstdio>
#include <string_view>

namespace quorvel::calc {

// Converts the two operands (UTF-8, as typed in a terminal) to GBK, then through the same
// conversions and arithmetic as the button, and prints the result box's text on `out`. The
// operator is + - * / (x, X or × for *, ÷ for /). An unknown operator is a usage error
// reported on `err`; returns the exit status (0, or 2 for a usage error).
int RunUserForm(std::string_view first, std::string_view operator_text, std::string_view second,
                std::FILE* out, std::FILE* err);

}  // namespace quorvel::calc
