#include "dsp/cpu_features.h"

namespace solva {

bool detectAvx2() {
#if SOLVA_HAS_AVX2_PATHS
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#else
    return false;
#endif
}

bool detectAvx512() {
#if SOLVA_HAS_AVX512_PATHS
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl");
#else
    return false;
#endif
}

}  // namespace solva
