// Runs a check under each scan path the compressors can take.
#ifndef CRV_TEST_SCAN_PATHS_H
#define CRV_TEST_SCAN_PATHS_H

#include <type_traits>

#include <gtest/gtest.h>

#include "compress/byte_scan.h"

namespace crvtest {

// Runs check under the scalar, SSE2 and AVX2 paths (a path the build or
// processor lacks falls back to the best one below it), then goes back to
// the best path.
template <class Check>
void ForEachScanPath(Check check) {
    using crv::ScanPath;
    for (ScanPath wanted : {ScanPath::kScalar, ScanPath::kSse2, ScanPath::kAvx2}) {
        ScanPath taken = crv::UseScanPath(wanted);
        SCOPED_TRACE(::testing::Message() << crv::ScanPathName(taken) << " scan");
        check();
    }
    crv::UseScanPath(crv::BestScanPath());
}

// Runs check under each scan path as ForEachScanPath does, handing it the
// path taken as a constant (a std::integral_constant) for code compiled once
// per path.
template <class Check>
void ForEachScanPathConstant(Check check) {
    using crv::ScanPath;
    ForEachScanPath([&] {
        switch (crv::ActiveScanPath()) {
#ifdef CRV_VECTOR_SCAN
        case ScanPath::kAvx2:
            return check(std::integral_constant<ScanPath, ScanPath::kAvx2>{});
        case ScanPath::kSse2:
            return check(std::integral_constant<ScanPath, ScanPath::kSse2>{});
#endif
        default:
            return check(std::integral_constant<ScanPath, ScanPath::kScalar>{});
        }
    });
}

} // namespace crvtest

#endif
