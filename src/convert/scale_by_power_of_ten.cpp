#include "convert/scale_by_power_of_ten.h"

#include <cstdint>

#include "convert/extended_product.h"
#include "convert/extended_real.h"
#include "convert/power_of_ten_table.h"

namespace quorvel {
namespace {

// The running value of the scaling. Every factor is positive and finite, so the sign never
// changes, and once a product leaves the exponent range it stays infinite or zero: the loop
// keeps only the finite value and stops there.
class Scaling {
 public:
  explicit Scaling(const ExtendedReal& x) : value_(x) {}

  bool Finite() const { return value_.kind == ExtendedReal::Kind::kFinite; }

  // value × factor, exactly as MultiplyExtended forms it.
  void MultiplyBy(const ExtendedReal& factor) {
    const extended_product::FiniteProduct product = extended_product::MultiplyFinite(
        value_.exponent, value_.significand, factor.exponent, factor.significand);
    if (product.exponent >= extended_product::kInfiniteExponent) {
      value_.kind = ExtendedReal::Kind::kInfinity;
    } else if (product.exponent < extended_product::kSmallestExponent) {
      value_.kind = ExtendedReal::Kind::kZero;
    }
    value_.exponent = Finite() ? product.exponent : 0;
    value_.significand = Finite() ? product.significand : 0;
  }

  const ExtendedReal& value() const { return value_; }

 private:
  ExtendedReal value_;
};

}  // namespace

ExtendedReal ScaleByPowerOfTen(const ExtendedReal& x, std::int32_t p) {
  Scaling scaling(x);
  if (p == 0 || !scaling.Finite()) {
    return x;  // zero and infinity stay what they are
  }
  const auto& factors = p > 0 ? kPowerOfTenTable.positive : kPowerOfTenTable.negative;
  // Unsigned negation, so that the most negative p has its magnitude too.
  std::uint32_t magnitude =
      p > 0 ? static_cast<std::uint32_t>(p) : 0U - static_cast<std::uint32_t>(p);

  for (int position = 0; position < kLargestTablePosition && magnitude != 0; ++position) {
    const auto digit = static_cast<int>(magnitude & 7U);
    magnitude >>= 3;
    if (digit != 0) {
      scaling.MultiplyBy(factors[PowerOfTenFactorIndex(position, digit)]);
      if (!scaling.Finite()) {
        return scaling.value();
      }
    }
  }
  // What is left counts multiples of 4096: 0 or 1 for |p| <= 5200. Larger |p| keep multiplying
  // by 10^±4096, which ends in infinity or zero within a few steps.
  const ExtendedReal& largest = factors[PowerOfTenFactorIndex(kLargestTablePosition, 1)];
  for (; magnitude != 0 && scaling.Finite(); --magnitude) {
    scaling.MultiplyBy(largest);
  }
  return scaling.value();
}

}  // namespace quorvel
