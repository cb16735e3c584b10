#include "convert/extended_real.h"

#include "convert/extended_product.h"

namespace quorvel {

ExtendedReal MultiplyExtended(const ExtendedReal& x, const ExtendedReal& y) {
  ExtendedReal product;
  product.negative = x.negative != y.negative;
  if (x.kind == ExtendedReal::Kind::kInfinity || y.kind == ExtendedReal::Kind::kInfinity) {
    product.kind = ExtendedReal::Kind::kInfinity;
    return product;
  }
  if (x.kind == ExtendedReal::Kind::kZero || y.kind == ExtendedReal::Kind::kZero) {
    product.kind = ExtendedReal::Kind::kZero;
    return product;
  }
  const extended_product::FiniteProduct finite =
      extended_product::MultiplyFinite(x.exponent, x.significand, y.exponent, y.significand);
  if (finite.exponent >= extended_product::kInfiniteExponent) {
    product.kind = ExtendedReal::Kind::kInfinity;
  } else if (finite.exponent >= extended_product::kSmallestExponent) {
    product = FiniteExtended(finite.exponent, finite.significand, product.negative);
  }  // else it stays zero
  return product;
}

}  // namespace quorvel
