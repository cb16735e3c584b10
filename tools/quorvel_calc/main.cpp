// quorvel-calc: the calculator's conversions and calculation on the command line, for checks
// and scripts.
//   quorvel-calc --batch <mode>   answers standard input line by line (see kBatchModes)
#include <array>
#include <cstdio>
#include <string_view>

#include "quorvel_calc/batch_driver.h"
#include "quorvel_calc/format_mode.h"
#include "quorvel_calc/parse_mode.h"

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
};

constexpr int kUsageStatus = 2;

void PrintUsage(std::FILE* stream) {
  std::fputs(
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
  return UsageError(argc < 2 ? "no arguments" : "unknown arguments");
}
