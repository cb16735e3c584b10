#include "quorvel_calc/batch_compute.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/arithmetic.h"
#include "quorvel_calc/hex_text.h"

namespace quorvel::calc {
namespace {

constexpr std::size_t kWordHexDigits = 16;

// The fields of `line`, separated by runs of spaces or tabs.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while ((start = line.find_first_not_of(" \t", start)) != std::string_view::npos) {
    std::size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    start = end;
  }
  return fields;
}

bool ParseWord(std::string_view hex, const char* name, std::uint64_t& word, std::string& reason) {
  std::string bytes;
  if (hex.size() != kWordHexDigits) {
    reason = std::string(name) + ": expected 16 hex digits (a double's bits), got " +
             std::to_string(hex.size()) + " characters";
    return false;
  }
  if (!DecodeHex(hex, bytes, reason)) {
    reason = std::string(name) + ": " + reason;
    return false;
  }
  word = 0;
  for (const char byte : bytes) word = (word << 8) | static_cast<unsigned char>(byte);
  return true;
}

}  // namespace

bool ComputeLine(std::string_view line, std::string& output, std::string& reason) {
  const std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() != 3) {
    reason = "expected OP AHEX BHEX, got " + std::to_string(fields.size()) + " fields";
    return false;
  }
  if (fields[0].size() != 1 || fields[0][0] < '0' || fields[0][0] > '3') {
    reason = "OP must be 0 (+), 1 (-), 2 (*) or 3 (/), got '" + std::string(fields[0]) + "'";
    return false;
  }
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  if (!ParseWord(fields[1], "AHEX", first, reason) ||
      !ParseWord(fields[2], "BHEX", second, reason)) {
    return false;
  }
  const auto operation = static_cast<Operation>(fields[0][0] - '0');
  const double result =
      Calculate(operation, std::bit_cast<double>(first), std::bit_cast<double>(second));
  output = HexWord(std::bit_cast<std::uint64_t>(result));
  return true;
}

}  // namespace quorvel::calc
