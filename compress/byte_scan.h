// Finding the end of a long stretch many bytes at a time: the first byte of
// a set in [from, end). Every load stays inside [from, end), so a scan never
// reads a byte past the text, not even within the same page.
//
// Three paths give the same answer: SSE2 (the baseline on x86, the i686
// build included), AVX2 where the processor has it, and a portable scalar
// loop, which a build with CRV_SCALAR_SCAN uses alone. Tests, fuzzers and
// the benchmark switch between them to compare.
#ifndef CRV_BYTE_SCAN_H
#define CRV_BYTE_SCAN_H

#include <atomic>
#include <cstddef>

#if !defined(CRV_SCALAR_SCAN) && (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
#define CRV_VECTOR_SCAN 1
#include <immintrin.h>
#endif

namespace crv {

enum class ScanPath : unsigned char { kUndecided, kScalar, kSse2, kAvx2 };

// The fastest path this build and processor offer.
ScanPath BestScanPath();

// "AVX2", "SSE2" or "scalar", for reports.
const char *ScanPathName(ScanPath path);

// Chooses the path for every later scan in the process; a path the build or
// processor lacks falls back to the best one below it. Returns the path
// taken. For tests and benchmarks: it is not meant to change while
// compressors run.
ScanPath UseScanPath(ScanPath wanted);

namespace detail {

inline std::atomic<ScanPath> scanPathInUse{ScanPath::kUndecided};

} // namespace detail

// The path scans take now: the best one until UseScanPath chooses another.
// Code with vector paths of its own switches on it as FindByte does.
inline ScanPath ActiveScanPath() {
    ScanPath path = detail::scanPathInUse.load(std::memory_order_relaxed);
    return path != ScanPath::kUndecided ? path : UseScanPath(BestScanPath());
}

// The bytes a scan stops at: every byte below Below (0 for none) and each of
// Bytes. Below is compared unsigned, so 0x80 and up never fall under it.
template <unsigned char Below, char... Bytes>
struct ByteSet {
    static constexpr bool Has(char c) {
        return static_cast<unsigned char>(c) < Below || ((c == Bytes) || ...);
    }
};

namespace detail {

template <class Set>
struct ScalarScan;

template <unsigned char Below, char... Bytes>
struct ScalarScan<ByteSet<Below, Bytes...>> {
    static const char *Find(const char *from, const char *end) {
        while (from < end && !ByteSet<Below, Bytes...>::Has(*from))
            ++from;
        return from;
    }
};

#ifdef CRV_VECTOR_SCAN

template <class Set>
struct Sse2Scan;

template <unsigned char Below, char... Bytes>
struct Sse2Scan<ByteSet<Below, Bytes...>> {
    static __m128i Matches(__m128i block) {
        __m128i hits = _mm_setzero_si128();
        if constexpr (Below > 0) {
            __m128i floor = _mm_min_epu8(block, _mm_set1_epi8(static_cast<char>(Below - 1)));
            hits = _mm_cmpeq_epi8(floor, block);
        }
        ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(Bytes)))), ...);
        return hits;
    }

    static const char *Find(const char *from, const char *end) {
        for (; end - from >= 16; from += 16) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
            auto mask = static_cast<unsigned>(_mm_movemask_epi8(Matches(block)));
            if (mask != 0)
                return from + __builtin_ctz(mask);
        }
        return ScalarScan<ByteSet<Below, Bytes...>>::Find(from, end);
    }
};

template <class Set>
struct Avx2Scan;

template <unsigned char Below, char... Bytes>
struct Avx2Scan<ByteSet<Below, Bytes...>> {
    __attribute__((target("avx2"))) static __m256i Matches(__m256i block) {
        __m256i hits = _mm256_setzero_si256();
        if constexpr (Below > 0) {
            __m256i floor =
                _mm256_min_epu8(block, _mm256_set1_epi8(static_cast<char>(Below - 1)));
            hits = _mm256_cmpeq_epi8(floor, block);
        }
        ((hits = _mm256_or_si256(hits, _mm256_cmpeq_epi8(block, _mm256_set1_epi8(Bytes)))), ...);
        return hits;
    }

    __attribute__((target("avx2"))) static const char *Find(const char *from, const char *end) {
        for (; end - from >= 32; from += 32) {
            __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(from));
            auto mask = static_cast<unsigned>(_mm256_movemask_epi8(Matches(block)));
            if (mask != 0)
                return from + __builtin_ctz(mask);
        }
        return Sse2Scan<ByteSet<Below, Bytes...>>::Find(from, end);
    }
};

#endif

} // namespace detail

// The first byte of Set in [from, end), or end.
template <class Set>
const char *FindByte(const char *from, const char *end) {
#ifdef CRV_VECTOR_SCAN
    switch (ActiveScanPath()) {
    case ScanPath::kAvx2:
        return detail::Avx2Scan<Set>::Find(from, end);
    case ScanPath::kSse2:
        return detail::Sse2Scan<Set>::Find(from, end);
    default:
        break;
    }
#endif
    return detail::ScalarScan<Set>::Find(from, end);
}

template <class Set>
char *FindByte(char *from, const char *end) {
    return const_cast<char *>(FindByte<Set>(static_cast<const char *>(from), end));
}

} // namespace crv

#endif
