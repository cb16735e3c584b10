// The floating-point environment in which the calculation runs.
#pragma once

namespace quorvel {

// Puts the floating-point unit in its initial state: 64-bit significand (extended
// precision), rounding to nearest with ties to even, every exception masked, every exception
// flag cleared. On x86 both the x87 unit and SSE are set.
void ResetFloatingPointEnvironment();

}  // namespace quorvel
