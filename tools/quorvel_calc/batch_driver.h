// The streaming loop shared by every batch mode of quorvel-calc: one input line in, one output
// line out, in constant memory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quorvel::calc {

// Answers one input line (without its line break). On success it sets `output` to the answer
// line (without a line break) and returns true; for a malformed line it sets `reason` and
// returns false.
using BatchLineFunction = bool (*)(std::string_view line, std::string& output, std::string& reason);

// Reads `in` line by line until its end and writes one line to `out` for each: the answer, or
// an empty line for a malformed input line, which is reported on `err` as "line N: <reason>".
// A final line without a line break counts; a CR before the line break is ignored. Returns the
// process exit status: 0 when every line was answered, 1 when some line was malformed or a
// stream failed.
int RunBatch(BatchLineFunction answer_line, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace quorvel::calc
