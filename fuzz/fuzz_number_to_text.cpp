// libFuzzer target for FormatNumber (the core of NumberToText). The first eight input bytes,
// zero-padded, are a double's bits. For every double:
//   - the text has 1 to 20 characters; a finite number uses only "0"-"9", ".", "-", "+", "e",
//     and every other value has exactly its fixed text;
//   - a finite text has at most 13 significant digits, no "-0", no zero at the end of its
//     fraction and no bare point;
//   - read back with TextToNumber it lies within half a unit of its 13th digit of the number
//     (with room for the 17-digit intermediate rounding and for the read-back's own rounding).
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/format_number.h"
#include "convert/text_to_number.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::string_view FixedTextOf(double number) {
  if (std::isinf(number)) return number > 0 ? "1.#INF" : "-1.#INF";
  const auto bits = std::bit_cast<std::uint64_t>(number) | (std::uint64_t{1} << 51);
  if (bits == 0xFFF8000000000000) return "-1.#IND";
  return std::signbit(number) ? "-1.#QNAN" : "1.#QNAN";
}

// The decimal exponent of the text's first significant digit and the number of its
// significant digits; the text is a finite, non-zero result.
struct TextDigits {
  int exponent = 0;
  int significant = 0;
};

TextDigits DigitsOfText(std::string_view text) {
  const std::size_t e = text.find('e');
  const std::string_view mantissa = text.substr(0, e);
  TextDigits digits;
  int first_at = -1;  // index among the mantissa's digits of the first non-zero one
  int point_at = -1;  // number of mantissa digits before the point
  int index = 0;
  for (const char c : mantissa) {
    if (c == '.') {
      point_at = index;
    } else if (c >= '0' && c <= '9') {
      if (first_at < 0 && c != '0') first_at = index;
      if (first_at >= 0) ++digits.significant;
      ++index;
    }
  }
  if (point_at < 0) point_at = index;
  digits.exponent = point_at - first_at - 1;
  if (e != std::string_view::npos)
    digits.exponent += std::atoi(std::string(text.substr(e + 1)).c_str());
  return digits;
}

void CheckFinite(double number, std::string_view text) {
  Check(std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e';
  }));
  Check(text != "-0");
  if (number == 0) {
    Check(text == "0");
    return;
  }
  const std::string_view mantissa = text.substr(0, text.find('e'));
  if (mantissa.find('.') != std::string_view::npos) {
    Check(mantissa.back() != '0' && mantissa.back() != '.');
  }
  const TextDigits digits = DigitsOfText(text);
  Check(digits.significant >= 1 && digits.significant <= 13);

  const std::string terminated(text);
  const double back = quorvel::TextToNumber(terminated.c_str());
  const long double half_unit = 0.5L * std::pow(10.0L, digits.exponent - 12);
  const long double ulp = std::ldexp(1.0L, std::max(std::ilogb(number) - 52, -1074));
  // Rounding twice (to 17 digits, then to 13) can exceed the half unit by at most 0.0001 of it.
  const long double allowed = half_unit * 1.0001L + ulp;
  const long double error =
      std::fabs(static_cast<long double>(back) - static_cast<long double>(number));
  Check(error <= allowed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, std::min(size, sizeof bits));
  const auto number = std::bit_cast<double>(bits);

  const quorvel::NumberText text = quorvel::FormatNumber(number);
  Check(text.length >= 1 && text.length <= quorvel::kMaxNumberTextLength);
  if (std::isfinite(number)) {
    CheckFinite(number, text.View());
  } else {
    Check(text.View() == FixedTextOf(number));
  }
  return 0;
}
