#include "vector_registers.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace vespera {

#if defined(__x86_64__) && defined(__GNUC__)

namespace {

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

}  // namespace

void clearUpperVectorRegisters() {
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) zeroUpper();
}

#else

void clearUpperVectorRegisters() {}

#endif

}  // namespace vespera
