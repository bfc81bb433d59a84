// The fuzz targets' common check: the text through the compressor on every
// scan path the processor offers, each time in a buffer sized to the text
// (guardBytes 0), so that AddressSanitizer reports any access outside it.
// Aborts when an output leaves its buffer or differs between paths.
#ifndef CRV_EVERY_SCAN_PATH_H
#define CRV_EVERY_SCAN_PATH_H

#include <cstdlib>
#include <string>
#include <string_view>

#include "compress/byte_scan.h"
#include "tests/support/guarded_buffer.h"

namespace crvtest {

template <typename Compressor>
void CompressOnEveryScanPath(std::string_view text, char before, Compressor compress) {
    const crv::ScanPath best = crv::BestScanPath();
    std::string first;
    for (auto path : {crv::ScanPath::kScalar, crv::ScanPath::kSse2, crv::ScanPath::kAvx2}) {
        if (path > best)
            break;
        crv::UseScanPath(path);
        GuardedBuffer buffer(text, before, 0);
        const char *cursor = buffer.Run(compress);
        if (!buffer.Holds(cursor) || !buffer.FrameIntact())
            std::abort();
        std::string_view output(buffer.Text(), static_cast<std::size_t>(cursor - buffer.Text()));
        if (path == crv::ScanPath::kScalar)
            first = output;
        else if (output != first)
            std::abort();
    }
    crv::UseScanPath(best);
}

} // namespace crvtest

#endif
