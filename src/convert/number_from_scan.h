// The value of a scanned number: its digits become an exact 80-bit integer, which is scaled by
// the power of ten in the extended format and rounded once to double.
#pragma once

#include "convert/scan_number.h"

namespace quorvel {

// Without digits +0; with only zero digits a zero of the number's sign; beyond 10^5200
// infinity and below 10^-5200 zero, both with the number's sign.
double NumberFromScan(const ScannedNumber& number);

}  // namespace quorvel
