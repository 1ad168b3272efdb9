// The engine's own reading of the processor agrees with the compiler's detection, feature by feature.
#include "search/processor_features.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessorFeatures, AgreeWithTheCompilersDetection) {
    const ProcessorFeatures& features = processorFeatures();
#if defined(__x86_64__)
    __builtin_cpu_init();
    EXPECT_EQ(features.popcnt, __builtin_cpu_supports("popcnt") != 0);
    EXPECT_EQ(features.avx2, __builtin_cpu_supports("avx2") != 0);
    EXPECT_EQ(features.bmi2, __builtin_cpu_supports("bmi2") != 0);
    EXPECT_EQ(features.avx512f, __builtin_cpu_supports("avx512f") != 0);
    EXPECT_EQ(features.avx512bw, __builtin_cpu_supports("avx512bw") != 0);
    EXPECT_EQ(features.avx512vbmi2, __builtin_cpu_supports("avx512vbmi2") != 0);
    EXPECT_EQ(features.avx512vpopcntdq, __builtin_cpu_supports("avx512vpopcntdq") != 0);
    EXPECT_LE(features.fastBitExtract, features.bmi2);
#else
    EXPECT_FALSE(features.popcnt || features.avx2 || features.bmi2 || features.fastBitExtract);
#endif
    EXPECT_EQ(&features, &processorFeatures());  // asked once
}

}  // namespace
