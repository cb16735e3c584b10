// Zeros, infinities and NaNs, recognised from a double's bits.
#pragma once

#include <cstdint>
#include <optional>

#include "convert/decimal_expansion.h"

namespace quorvel {

// The expansion of a zero, an infinity or a NaN; nothing for a finite non-zero number.
// Both zeros give "0" without a sign, a signalling NaN is shown like the quiet NaN it
// becomes, and the default NaN of invalid operations (0xFFF8000000000000) is "1#IND".
std::optional<DecimalExpansion> ExpandSpecialValue(std::uint64_t bits);

}  // namespace quorvel
