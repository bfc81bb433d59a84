#include "compress/byte_scan.h"

namespace crv {

ScanPath BestScanPath() {
#ifdef CRV_VECTOR_SCAN
    __builtin_cpu_init();
    // The AVX2 path also uses the bit instructions that came with it (BMI1,
    // BMI2). Every processor with AVX2 has them, but a virtual machine may
    // report one and hide the others: such a machine takes the SSE2 path.
    const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
                      __builtin_cpu_supports("bmi2");
    return avx2 ? ScanPath::kAvx2 : ScanPath::kSse2;
#else
    return ScanPath::kScalar;
#endif
}

const char *ScanPathName(ScanPath path) {
    switch (path) {
    case ScanPath::kAvx2:
        return "AVX2";
    case ScanPath::kSse2:
        return "SSE2";
    default:
        return "scalar";
    }
}

ScanPath UseScanPath(ScanPath wanted) {
    ScanPath best = BestScanPath();
    ScanPath path = wanted == ScanPath::kUndecided || wanted > best ? best : wanted;
    detail::scanPathInUse.store(path, std::memory_order_relaxed);
    return path;
}

} // namespace crv
