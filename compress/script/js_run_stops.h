// The bytes that end a script's run of plain copying, with a way for SSE2 to
// find them in fewer compares than one per byte.
#ifndef CRV_JS_RUN_STOPS_H
#define CRV_JS_RUN_STOPS_H

#include "compress/script/js_run_scan.h"

namespace crv {

struct RunStops : ScriptByteSet<'\0', '\t', '\n', '\r', ' ', '(', ')', '[', ']', '{', '}', '+',
                                '-', '*', '"', '\'', '`', '/', '<'> {
#ifdef CRV_VECTOR_SCAN
    // SSE2 has no shuffle to look bytes up in, so each compare counts. The
    // white space compares are the ones RunScan makes for its gaps anyway,
    // which the compiler then makes once. ' ( ) * + are side by side, and
    // - /, [ {, ] } are pairs one bit apart: each takes fewer instructions
    // than a compare per byte.
    static __m128i Sse2Hits(__m128i block) {
        const __m128i fromApostrophe = _mm_sub_epi8(block, _mm_set1_epi8('\''));
        const __m128i apostropheToPlus =
            _mm_cmpeq_epi8(_mm_min_epu8(fromApostrophe, _mm_set1_epi8('+' - '\'')), fromApostrophe);
        const __m128i minusOrSlash =
            _mm_cmpeq_epi8(_mm_or_si128(block, _mm_set1_epi8('-' ^ '/')), _mm_set1_epi8('/'));
        // '[' | 0x20 is '{' and ']' | 0x20 is '}'.
        const __m128i braceCase = _mm_or_si128(block, _mm_set1_epi8('[' ^ '{'));
        const __m128i bracketOrBrace = _mm_or_si128(_mm_cmpeq_epi8(braceCase, _mm_set1_epi8('{')),
                                                    _mm_cmpeq_epi8(braceCase, _mm_set1_epi8('}')));
        const __m128i single = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, _mm_setzero_si128()),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8('"'))),
            _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('`')),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8('<'))));
        return _mm_or_si128(
            _mm_or_si128(detail::Sse2Hits<WhiteSpaceBytes>(block), single),
            _mm_or_si128(_mm_or_si128(apostropheToPlus, minusOrSlash), bracketOrBrace));
    }
#endif
};

} // namespace crv

#endif
