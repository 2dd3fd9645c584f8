// UTF-8 of the Thai block (E0 B8 80 - E0 B9 BF), sixteen bytes at a time: the
// masks by which both the code page 874 writer and the repair's test of clean
// lines read a block. Bit k of a mask stands for byte k of the block.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

// The bytes that are B8 or B9, the second byte of every Thai character.
inline unsigned ThaiSecondBytes(__m128i v) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
        _mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xFE))), _mm_set1_epi8(static_cast<char>(0xB8)))));
}

// The bytes that, after the B8 or B9 in `before` (each byte's previous one),
// would name no assigned character: E0 B8 80, E0 B8 BB - BE, E0 B9 9C - BF. As
// signed bytes 0x80 is -128, BB - BE are -69 to -66, 9C - BF are -100 to -65.
inline unsigned UnassignedThaiThirdBytes(__m128i v, __m128i before) {
    const __m128i afterB8 = _mm_cmpeq_epi8(before, _mm_set1_epi8(static_cast<char>(0xB8)));
    const __m128i afterB9 = _mm_cmpeq_epi8(before, _mm_set1_epi8(static_cast<char>(0xB9)));
    const __m128i low = _mm_or_si128(
        _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0x80))),
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(-70)), _mm_cmplt_epi8(v, _mm_set1_epi8(-65))));
    const __m128i high = _mm_cmpgt_epi8(v, _mm_set1_epi8(-101));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_and_si128(afterB8, low), _mm_and_si128(afterB9, high))));
}

#endif
