#pragma once

// Whether this processor (and the operating system) can run fused multiply-add instructions.
// The plug-in is built for any x86-64 processor; the signal path uses these instructions
// only where they exist and the maths library's exactly rounded fma elsewhere.
inline bool processorHasFmaInstructions() noexcept
{
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_cpu_init();
    return __builtin_cpu_supports ("avx") && __builtin_cpu_supports ("fma");
#else
    return false;
#endif
}
