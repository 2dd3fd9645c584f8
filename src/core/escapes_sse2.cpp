// SSE2 path of the escape decoder: see escapes_blocks.h.
#include "escapes_blocks.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>

size_t CopyPlainUnits(const char16_t* text, size_t count, char16_t* out) {
    const __m128i percent = _mm_set1_epi16(u'%');
    const __m128i ampersand = _mm_set1_epi16(u'&');
    size_t p = 0;
    for (; p + 8 <= count; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
        const int starts = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi16(v, percent), _mm_cmpeq_epi16(v, ampersand)));
        if (starts != 0) {
            const size_t plain = static_cast<size_t>(std::countr_zero(static_cast<unsigned>(starts))) / 2;
            for (size_t k = 0; k < plain; ++k) out[p + k] = text[p + k];
            return p + plain;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + p), v);
    }
    return p;
}

#else

size_t CopyPlainUnits(const char16_t*, size_t, char16_t*) { return 0; }

#endif
