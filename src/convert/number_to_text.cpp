#include "convert/number_to_text.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/format_number.h"
#include "ui/run_time_error.h"

namespace quorvel {
namespace {

std::string Hex32(std::uint64_t word) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kHexDigits[(word >> shift) & 0xF];
  return text;
}

}  // namespace

TextValue NumberToText(double number) { return CopyToValue(FormatNumber(number).View()); }

TextValue NumberToText(const TypedValue& value) {
  if (value.mark != kDoubleTypeMark) {
    RaiseRunTimeError("NumberToText: the value's type mark " + Hex32(value.mark) +
                      " is not that of a double-precision number (" + Hex32(kDoubleTypeMark) + ")");
  }
  if (value.low > 0xFFFFFFFF) {
    RaiseRunTimeError(
        "NumberToText: the low word of a double-precision number has more than "
        "32 bits");
  }
  const std::uint64_t bits = (std::uint64_t{value.high} << 32) | value.low;
  return NumberToText(std::bit_cast<double>(bits));
}

}  // namespace quorvel
