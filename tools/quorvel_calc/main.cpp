// quorvel-calc: the calculator's conversions and calculation on the command line, for checks
// and scripts.
//   quorvel-calc --batch <mode>   answers standard input line by line (see kBatchModes)
//   quorvel-calc 2 / 3            one calculation as the window's button does it
#include <array>
#include <cstdio>
#include <string_view>

#include "quorvel_calc/batch_compute.h"
#include "quorvel_calc/batch_driver.h"
#include "quorvel_calc/format_mode.h"
#include "quorvel_calc/parse_mode.h"
#include "quorvel_calc/user_form.h"

namespace {

using quorvel::calc::BatchLineFunction;

struct BatchMode {
  std::string_view name;
  BatchLineFunction answer_line;
  std::string_view summary;  // for the usage text
};

// The batch modes. To add one: write <mode>_mode.h/.cpp with a BatchLineFunction (see
// batch_driver.h), add the .cpp to quorvel-calc in tools/CMakeLists.txt, include the header
// above and add one line here. The driver does the reading, writing and error reporting.
constexpr std::array kBatchModes = {
    BatchMode{"parse", quorvel::calc::ParseLine,
              "hex of a GBK text -> 16 hex digits of the double's bits"},
    BatchMode{"format", quorvel::calc::FormatLine, "16 hex digits of a double's bits -> its text"},
    BatchMode{"compute", quorvel::calc::ComputeLine,
              "OP AHEX BHEX (OP 0 +, 1 -, 2 *, 3 /) -> 16 hex digits of the result's bits"},
};

constexpr int kUsageStatus = 2;

void PrintUsage(std::FILE* stream) {
  std::fputs(
      "usage: quorvel-calc NUMBER OPERATOR NUMBER\n"
      "  Prints what the calculator shows for the calculation, e.g. quorvel-calc 2 / 3;\n"
      "  OPERATOR is + - * / (x or \u00D7 also multiply, \u00F7 also divides).\n"
      "usage: quorvel-calc --batch <mode>\n"
      "  Reads standard input line by line and writes one line per input line; a malformed\n"
      "  line gets an empty output line and \"line N: <reason>\" on standard error, and the\n"
      "  exit status is then 1.\n"
      "modes:\n",
      stream);
  for (const BatchMode& mode : kBatchModes) {
    std::fprintf(stream, "  %-10.*s %.*s\n", static_cast<int>(mode.name.size()), mode.name.data(),
                 static_cast<int>(mode.summary.size()), mode.summary.data());
  }
}

int UsageError(const char* message) {
  std::fprintf(stderr, "quorvel-calc: %s\n", message);
  PrintUsage(stderr);
  return kUsageStatus;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    PrintUsage(stdout);
    return 0;
  }
  if (argc >= 2 && std::string_view(argv[1]) == "--batch") {
    if (argc != 3) {
      return UsageError("--batch takes exactly one mode");
    }
    for (const BatchMode& mode : kBatchModes) {
      if (mode.name == argv[2]) {
        return quorvel::calc::RunBatch(mode.answer_line, stdin, stdout, stderr);
      }
    }
    std::fprintf(stderr, "quorvel-calc: unknown batch mode '%s'\n", argv[2]);
    PrintUsage(stderr);
    return kUsageStatus;
  }
  if (argc == 4) {
    return quorvel::calc::RunUserForm(argv[1], argv[2], argv[3], stdout, stderr);
  }
  return UsageError(argc < 2 ? "no arguments"
                             : "expected NUMBER OPERATOR NUMBER (three arguments) or --batch");
}
