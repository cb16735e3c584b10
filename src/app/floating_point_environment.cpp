#include "app/floating_point_environment.h"

#include <cfenv>
#include <cstdint>

namespace quorvel {

void ResetFloatingPointEnvironment() {
#if defined(__i386__) || defined(__x86_64__)
  // x87 control word 0x037F: precision control 11 (64 bits), rounding control 00 (nearest),
  // all six exception masks set. fnclex clears the exception flags first so that unmasking
  // nothing cannot raise a pending exception.
  const std::uint16_t x87_control = 0x037F;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(x87_control));
#if defined(__SSE__)
  // MXCSR 0x1F80: all exceptions masked, round to nearest, flags clear, no flush to zero.
  const std::uint32_t sse_control = 0x1F80;
  asm volatile("ldmxcsr %0" : : "m"(sse_control));
#endif
#else
  std::fesetenv(FE_DFL_ENV);
  std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

}  // namespace quorvel
