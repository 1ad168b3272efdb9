#pragma once

// What the processor offers the fast engine's kernels, asked once per process: each question to the
// processor (`cpuid`) takes several microseconds in a virtual machine, and the compiler's own detection
// asks more of them than the engine needs, at every start. A vector extension counts only where the
// operating system saves its registers.
struct ProcessorFeatures {
    bool popcnt = false;
    bool avx2 = false;
    bool avx512f = false;
    bool avx512bw = false;
    bool avx512vbmi2 = false;
    bool avx512vpopcntdq = false;
    bool bmi2 = false;
    // BMI2's bit extract in a few cycles: every processor with it except AMD's before family 19h, which
    // take up to hundreds.
    bool fastBitExtract = false;
};

const ProcessorFeatures& processorFeatures();
