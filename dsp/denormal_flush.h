// Denormal numbers on the audio thread. A filter fed with (or decaying
// into) floats below 1.2e-38 runs many times slower on x86, where each
// operation on one takes a microcode assist: a busy equaliser fed with noise
// at 1e-39 ran about 18 times slower than on the same noise at full level.
// While a ScopedDenormalFlush lives, the thread's SSE unit reads denormal
// operands as zero and flushes denormal results to zero; the caller's mode
// is put back when it goes. Elsewhere than x86 it does nothing.
#pragma once

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>
#define SOLVA_HAS_MXCSR 1
#else
#define SOLVA_HAS_MXCSR 0
#endif

namespace solva {

class ScopedDenormalFlush {
public:
#if SOLVA_HAS_MXCSR
    static constexpr unsigned kFlushToZero = 0x8000u;     // MXCSR bit 15
    static constexpr unsigned kDenormalsAreZero = 0x0040u;  // MXCSR bit 6

    ScopedDenormalFlush() : saved_(_mm_getcsr()) {
        const unsigned wanted = saved_ | kFlushToZero | kDenormalsAreZero;
        if (wanted != saved_) _mm_setcsr(wanted);
    }
    ~ScopedDenormalFlush() {
        if (_mm_getcsr() != saved_) _mm_setcsr(saved_);
    }
#else
    ScopedDenormalFlush() = default;
#endif
    ScopedDenormalFlush(const ScopedDenormalFlush&) = delete;
    ScopedDenormalFlush& operator=(const ScopedDenormalFlush&) = delete;

private:
#if SOLVA_HAS_MXCSR
    unsigned saved_;
#endif
};

}  // namespace solva
