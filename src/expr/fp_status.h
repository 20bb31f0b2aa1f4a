#pragma once

// Sticky floating-point error flags. Reading them is slow on some processors (several
// nanoseconds per read), so evaluation reads them only where a result alone cannot tell a
// failure from a value: after a registered procedure returned NaN or an infinity.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KALVOR_X87_STATUS 1
#else
#include <cfenv>
#endif

namespace kalvor::fpstatus {

// The x87 status word and MXCSR share these bit positions.
inline constexpr unsigned kInvalid = 0x01;
inline constexpr unsigned kZeroDivide = 0x04;
inline constexpr unsigned kOverflow = 0x08;
inline constexpr unsigned kErrors = kInvalid | kZeroDivide | kOverflow;

#ifdef KALVOR_X87_STATUS

/// Error flags of the extended unit.
inline unsigned extendedErrors() {
    unsigned short status;
    __asm__ __volatile__("fnstsw %0" : "=a"(status) : : "memory");
    return status & kErrors;
}

/// Error flags of the extended unit and of the SSE unit (double-precision code).
inline unsigned allErrors() {
    unsigned csr;
    __asm__ __volatile__("stmxcsr %0" : "=m"(csr) : : "memory");
    return (csr & kErrors) | extendedErrors();
}

inline void clearAll() {
    unsigned csr;
    __asm__ __volatile__("fnclex\n\tstmxcsr %0" : "=m"(csr) : : "memory");
    csr &= ~0x3fu;
    __asm__ __volatile__("ldmxcsr %0" : : "m"(csr) : "memory");
}

#else

inline unsigned fromFenv(int flags) {
    return ((flags & FE_INVALID) ? kInvalid : 0u) | ((flags & FE_DIVBYZERO) ? kZeroDivide : 0u) |
           ((flags & FE_OVERFLOW) ? kOverflow : 0u);
}
inline unsigned allErrors() {
    return fromFenv(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW));
}
inline unsigned extendedErrors() {
    return allErrors();
}
inline void clearAll() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

#endif

}  // namespace kalvor::fpstatus
