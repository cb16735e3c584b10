#include "convert/format_number.h"

#include <bit>
#include <cstdint>
#include <optional>

#include "convert/decimal_expansion.h"
#include "convert/display_rounding.h"
#include "convert/special_values.h"

namespace quorvel {

NumberText FormatNumber(double number) {
  const auto bits = std::bit_cast<std::uint64_t>(number);
  const std::optional<DecimalExpansion> special = ExpandSpecialValue(bits);
  const DecimalExpansion expansion = special ? *special : ExpandFiniteNumber(bits);
  return LayOutNumber(RoundForDisplay(expansion));
}

}  // namespace quorvel
