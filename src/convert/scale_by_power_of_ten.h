// x × 10^P in the extended format, by the octal digits of |P| and the power-of-ten table.
#pragma once

#include <cstdint>

#include "convert/extended_real.h"

namespace quorvel {

// For -5200 <= p <= 5200 (the range both conversions use) the value is multiplied by the table
// factor of each non-zero octal digit of |p|, least significant first. A larger |p| goes on
// multiplying by 10^±4096 until the value is infinite or zero. p = 0 returns x unchanged.
ExtendedReal ScaleByPowerOfTen(const ExtendedReal& x, std::int32_t p);

}  // namespace quorvel
