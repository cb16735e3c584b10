// The one rounding of an extended value to double precision, halfway cases toward zero.
#pragma once

#include "convert/extended_real.h"

namespace quorvel {

// Keeps the top 53 bits of the significand (fewer for a subnormal result) and adds one unit only
// when the first dropped bit is 1 and some later bit is 1 too. `negative` gives the result's sign;
// the sign held in `value` is not used.
double RoundToDouble(const ExtendedReal& value, bool negative);

}  // namespace quorvel
