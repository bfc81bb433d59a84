#include "compress/byte_scan.h"

namespace crv {

ScanPath BestScanPath() {
#ifdef CRV_VECTOR_SCAN
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? ScanPath::kAvx2 : ScanPath::kSse2;
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
