// The calculator's text for a number, formatted into a fixed buffer.
#pragma once

#include "convert/number_layout.h"

namespace quorvel {

// At most 13 significant digits in fixed or exponential notation, "0" for both zeros and
// "1.#INF", "-1.#INF", "-1.#IND", "1.#QNAN", "-1.#QNAN" for the values that are not numbers.
// Integer arithmetic only; no allocation, no state, safe on any thread.
NumberText FormatNumber(double number);

}  // namespace quorvel
