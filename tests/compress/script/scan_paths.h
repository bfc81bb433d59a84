// Runs a check under each scan path the compressors can take.
#ifndef CRV_TEST_SCAN_PATHS_H
#define CRV_TEST_SCAN_PATHS_H

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

} // namespace crvtest

#endif
