// libFuzzer target for TextToNumber. Besides running every byte string through the conversion
// under the sanitizers, it checks properties that hold for any text:
//   - the input is not changed, and the same text always gives the same bits;
//   - the bits are those of the plain sequence fold, scan, value (TextToNumber skips the
//     folded copy when the scan of the text itself read no byte that folding could change);
//   - an ASCII text written with GBK full-width forms instead gives the same bits;
//   - a "-" before a text that starts with a digit flips exactly the sign bit.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "convert/fold_full_width.h"
#include "convert/number_from_scan.h"
#include "convert/scan_number.h"
#include "convert/text_to_number.h"

namespace {

std::uint64_t BitsOf(const std::string& text) {
  return std::bit_cast<std::uint64_t>(quorvel::TextToNumber(text.c_str()));
}

// The text with each printable ASCII character and each space in its full-width GBK form, or
// empty when the text holds a byte that has none.
std::string FullWidth(const std::string& text) {
  std::string wide;
  for (const char c : text) {
    if (c == ' ') {
      wide += "\xA1\xA1";
    } else if (c >= 0x21 && c <= 0x7E) {
      wide += '\xA3';
      wide += static_cast<char>(c + 0x80);
    } else if (c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
      wide += c;
    } else {
      return {};
    }
  }
  return wide;
}

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The conversion takes a NUL-terminated text: a NUL in the input ends it. It gets a writable
  // buffer of its own, which must come back unchanged.
  const std::string input(reinterpret_cast<const char*>(data), size);  // NOLINT(*-reinterpret-cast)
  const std::string text = input.substr(0, input.find('\0'));
  std::string buffer = text;

  const auto bits = std::bit_cast<std::uint64_t>(quorvel::TextToNumber(buffer.data()));
  Check(buffer == text);
  Check(BitsOf(text) == bits);
  const double stepwise =
      quorvel::NumberFromScan(quorvel::ScanNumber(quorvel::FoldFullWidth(text.c_str()).c_str()));
  Check(std::bit_cast<std::uint64_t>(stepwise) == bits);

  const std::string wide = FullWidth(text);
  if (!wide.empty()) {
    Check(BitsOf(wide) == bits);
  }
  if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
    Check(BitsOf("-" + text) == (bits ^ (std::uint64_t{1} << 63)));
  }
  return 0;
}
