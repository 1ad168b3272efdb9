#include "search/processor_features.h"

#include <cstdint>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

#if defined(__x86_64__)
ProcessorFeatures detect() {
    ProcessorFeatures features;
    unsigned maxLeaf = 0, vendorB = 0, vendorC = 0, vendorD = 0;
    if (__get_cpuid(0, &maxLeaf, &vendorB, &vendorC, &vendorD) == 0 || maxLeaf < 1) return features;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(1, eax, ebx, ecx, edx);
    const unsigned family = ((eax >> 8) & 0xFu) == 0xFu ? 0xFu + ((eax >> 20) & 0xFFu) : (eax >> 8) & 0xFu;
    features.popcnt = (ecx >> 23 & 1u) != 0;
    // The registers the operating system saves: bits 1 and 2 for 256-bit vectors, 5 to 7 for 512-bit ones.
    std::uint64_t saved = 0;
    if ((ecx >> 27 & 1u) != 0) {  // OSXSAVE: the register that says so can be read
        unsigned low = 0, high = 0;
        __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        saved = static_cast<std::uint64_t>(high) << 32 | low;
    }
    const bool wide = (ecx >> 28 & 1u) != 0 && (saved & 0x6u) == 0x6u;
    const bool widest = wide && (saved & 0xE6u) == 0xE6u;
    if (maxLeaf >= 7) {
        __cpuid_count(7, 0, eax, ebx, ecx, edx);
        features.avx2 = wide && (ebx >> 5 & 1u) != 0;
        features.bmi2 = (ebx >> 8 & 1u) != 0;
        features.avx512f = widest && (ebx >> 16 & 1u) != 0;
        features.avx512bw = features.avx512f && (ebx >> 30 & 1u) != 0;
        features.avx512vbmi2 = features.avx512f && (ecx >> 6 & 1u) != 0;
        features.avx512vpopcntdq = features.avx512f && (ecx >> 14 & 1u) != 0;
    }
    const bool amd =
        vendorB == 0x68747541u && vendorD == 0x69746e65u && vendorC == 0x444d4163u;  // AuthenticAMD
    features.fastBitExtract = features.bmi2 && (!amd || family >= 0x19u);
    return features;
}
#else
ProcessorFeatures detect() {
    return {};
}
#endif

}  // namespace

const ProcessorFeatures& processorFeatures() {
    static const ProcessorFeatures features = detect();
    return features;
}
