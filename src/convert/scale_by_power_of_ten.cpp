#include "convert/scale_by_power_of_ten.h"

#include <cstdint>

#include "convert/extended_real.h"
#include "convert/power_of_ten_table.h"

namespace quorvel {

ExtendedReal ScaleByPowerOfTen(const ExtendedReal& x, std::int32_t p) {
  if (p == 0) {
    return x;
  }
  const auto& factors = p > 0 ? kPowerOfTenTable.positive : kPowerOfTenTable.negative;
  // Unsigned negation, so that the most negative p has its magnitude too.
  std::uint32_t magnitude =
      p > 0 ? static_cast<std::uint32_t>(p) : 0U - static_cast<std::uint32_t>(p);

  ExtendedReal value = x;
  for (int position = 0; position < kLargestTablePosition && magnitude != 0; ++position) {
    const auto digit = static_cast<int>(magnitude & 7U);
    magnitude >>= 3;
    if (digit != 0) {
      value = MultiplyExtended(value, factors[PowerOfTenFactorIndex(position, digit)]);
    }
  }
  // What is left counts multiples of 4096: 0 or 1 for |p| <= 5200. Once a product is infinite
  // or zero every further factor leaves it so, which bounds the loop for any p.
  const ExtendedReal& largest = factors[PowerOfTenFactorIndex(kLargestTablePosition, 1)];
  for (; magnitude != 0 && value.kind == ExtendedReal::Kind::kFinite; --magnitude) {
    value = MultiplyExtended(value, largest);
  }
  return value;
}

}  // namespace quorvel
