// Processor features for choosing between code paths compiled for different
// instruction sets. Callers keep the answer in a namespace-scope constant
// initialised at load time, never asking on the audio path.
#pragma once

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define SOLVA_HAS_AVX2_PATHS 1
#define SOLVA_AVX2_TARGET __attribute__((target("avx2,fma")))
#else
#define SOLVA_HAS_AVX2_PATHS 0
#define SOLVA_AVX2_TARGET
#endif

// AVX-512 paths only where the compiler keeps 64-byte stack alignment for
// spilled registers: not on Windows, whose mingw code generation assumes a
// 16-byte aligned stack.
#if SOLVA_HAS_AVX2_PATHS && !defined(_WIN32)
#define SOLVA_HAS_AVX512_PATHS 1
#define SOLVA_AVX512_TARGET __attribute__((target("avx512f")))
#else
#define SOLVA_HAS_AVX512_PATHS 0
#define SOLVA_AVX512_TARGET
#endif

namespace solva {

// True when the processor runs AVX2 code with FMA (false where no such
// paths exist).
bool detectAvx2();

// True when the processor and the system run AVX-512F code with the VL
// extension (false where no such paths exist).
bool detectAvx512();

}  // namespace solva
