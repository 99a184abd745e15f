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

// AVX-512 paths on x86-64 only (32-bit code has eight vector registers),
// and on Windows only where every aligned vector move is assembled as an
// unaligned one (SOLVA_UNALIGNED_VECTOR_MOVES, set by the build): GCC there
// keeps the stack aligned to 16 bytes but may spill 64-byte registers with
// aligned moves.
#if SOLVA_HAS_AVX2_PATHS && defined(__x86_64__) && (!defined(_WIN32) || defined(SOLVA_UNALIGNED_VECTOR_MOVES))
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
