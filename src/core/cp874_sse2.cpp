// SSE2 paths of the code page 874 conversions, and one SSSE3 path chosen at
// run time where the processor has it: see cp874_blocks.h.
#include "cp874_blocks.h"
#include "thai_utf8_sse2.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#include <tmmintrin.h>

#include <array>

namespace {

// A Thai letter's unit is the byte + 0x0D60: 0x0E00 + (byte - 0xA0).
constexpr short kThaiOffset = 0x0D60;

// For 16 bytes: a mask of the Thai letters 0xA1 - 0xDA and 0xDF - 0xFB, and
// whether every byte is ASCII or such a letter. The compares are signed, so
// the bytes are moved by 0x80 first.
inline bool Cp874ThaiLetters(__m128i b, __m128i* thai) {
    const __m128i x = _mm_xor_si128(b, _mm_set1_epi8(static_cast<char>(0x80)));
    const __m128i gap = _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8(0xDA - 0x80)),
                                      _mm_cmplt_epi8(x, _mm_set1_epi8(0xDF - 0x80)));
    *thai = _mm_andnot_si128(gap, _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8(0xA0 - 0x80)),
                                                _mm_cmplt_epi8(x, _mm_set1_epi8(0xFC - 0x80))));
    const __m128i ascii = _mm_cmplt_epi8(x, _mm_setzero_si128());
    return _mm_movemask_epi8(_mm_or_si128(ascii, *thai)) == 0xFFFF;
}

// For 8 units: the amount to subtract in each lane, and whether every unit is
// ASCII or one of the Thai letters U+0E01 - U+0E3A, U+0E3F - U+0E5B.
inline bool UnicodeOffsets(__m128i u, __m128i* offsets) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(u, _mm_set1_epi16(-0x80)), zero);
    const __m128i row = _mm_cmpeq_epi16(_mm_and_si128(u, _mm_set1_epi16(-0x100)),
                                        _mm_set1_epi16(0x0E00));
    const __m128i low = _mm_and_si128(u, _mm_set1_epi16(0xFF));
    const __m128i gap = _mm_and_si128(_mm_cmpgt_epi16(low, _mm_set1_epi16(0x3A)),
                                      _mm_cmplt_epi16(low, _mm_set1_epi16(0x3F)));
    const __m128i inRow = _mm_and_si128(_mm_cmpgt_epi16(low, zero),
                                        _mm_cmplt_epi16(low, _mm_set1_epi16(0x5C)));
    const __m128i thai = _mm_andnot_si128(gap, _mm_and_si128(row, inRow));
    *offsets = _mm_and_si128(thai, _mm_set1_epi16(kThaiOffset));
    return _mm_movemask_epi8(_mm_or_si128(ascii, thai)) == 0xFFFF;
}

#if defined(__x86_64__) && !defined(_WIN32)
#define TOLVANE_SSSE3_PACKING 1

// For each 8-bit mask: how many bits it has, and a shuffle that brings the
// bytes at those places to the front.
struct Packing {
    unsigned long long shuffle;
    unsigned count;
};

constexpr std::array<Packing, 256> MakePackings() {
    std::array<Packing, 256> table{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        Packing p{0, 0};
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (mask & (1u << bit)) p.shuffle |= static_cast<unsigned long long>(bit) << (8 * p.count++);
        }
        for (unsigned k = p.count; k < 8; ++k) p.shuffle |= 0x80ull << (8 * k);  // zero
        table[mask] = p;
    }
    return table;
}
constexpr std::array<Packing, 256> kPackings = MakePackings();

__attribute__((target("ssse3"))) size_t Utf8ToCp874BlocksSsse3(const unsigned char* bytes, size_t count,
                                                                unsigned char* out, size_t* written) {
    const __m128i x3f = _mm_set1_epi8(0x3F);
    size_t i = 0, w = 0;
    while (i + 16 <= count) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const unsigned ascii = ~static_cast<unsigned>(_mm_movemask_epi8(v)) & 0xFFFF;
        const unsigned lead =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xE0)))));
        const unsigned thaiSecond = ThaiSecondBytes(v);
        const unsigned cont = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(0xC0))))) & ~ascii & 0xFFFF;
        // A letter whose E0 is at place 14 or 15 is left for the next block.
        const unsigned cut = lead & 0xC000;
        const unsigned taken = cut ? (cut & 0x4000 ? 0x3FFFu : 0x7FFFu) : 0xFFFFu;
        const unsigned leads = lead & taken;
        const unsigned second = (leads << 1) & 0xFFFF;
        const unsigned third = (leads << 2) & 0xFFFF;
        if (((ascii | leads | second | third) & taken) != taken || (ascii & (second | third)) ||
            (leads & (second | third)) || (second & ~thaiSecond) || (third & ~cont)) {
            break;
        }
        // The Thai letter U+0E00 + offset is the byte 0xA0 + offset: the third
        // byte's low six bits, plus 0x40 after B9. Unassigned characters are
        // left to the caller.
        const __m128i before = _mm_slli_si128(v, 1);
        if (UnassignedThaiThirdBytes(v, before) & third) break;
        const __m128i afterB9 = _mm_cmpeq_epi8(before, _mm_set1_epi8(static_cast<char>(0xB9)));
        const __m128i thai =
            _mm_add_epi8(_mm_add_epi8(_mm_and_si128(v, x3f), _mm_set1_epi8(static_cast<char>(0xA0))),
                         _mm_and_si128(afterB9, _mm_set1_epi8(0x40)));
        const __m128i isAscii = _mm_cmpgt_epi8(v, _mm_set1_epi8(-1));
        const __m128i values = _mm_or_si128(_mm_and_si128(isAscii, v), _mm_andnot_si128(isAscii, thai));
        // Each half's kept bytes to its front, then both halves written.
        const unsigned keep = (ascii | third) & taken;
        const Packing& lo = kPackings[keep & 0xFF];
        const Packing& hi = kPackings[keep >> 8];
        const __m128i shuffle = _mm_set_epi64x(static_cast<long long>(hi.shuffle | 0x0808080808080808ull),
                                               static_cast<long long>(lo.shuffle));
        const __m128i packed = _mm_shuffle_epi8(values, shuffle);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + w), packed);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + w + lo.count), _mm_unpackhi_epi64(packed, packed));
        w += lo.count + hi.count;
        i += cut ? (cut & 0x4000 ? 14 : 15) : 16;
    }
    *written = w;
    return i;
}
#endif

}  // namespace

#if defined(TOLVANE_SSSE3_PACKING)
size_t Utf8ToCp874Blocks(const unsigned char* bytes, size_t count, unsigned char* out, size_t* written) {
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) return Utf8ToCp874BlocksSsse3(bytes, count, out, written);
    *written = 0;
    return 0;
}
#else
size_t Utf8ToCp874Blocks(const unsigned char*, size_t, unsigned char*, size_t* written) {
    *written = 0;
    return 0;
}
#endif

size_t Cp874ToUtf16Blocks(const unsigned char* bytes, size_t count, char16_t* out) {
    // The low byte of a Thai letter's unit is the byte + 0x60 (wrapping), its
    // high byte 0x0E; ASCII keeps its byte and gets a high byte of 0.
    const __m128i zero = _mm_setzero_si128();
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        __m128i low = b, high = zero, thai;
        if (_mm_movemask_epi8(b) != 0) {
            if (!Cp874ThaiLetters(b, &thai)) break;
            low = _mm_add_epi8(b, _mm_and_si128(thai, _mm_set1_epi8(0x60)));
            high = _mm_and_si128(thai, _mm_set1_epi8(0x0E));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(low, high));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(low, high));
    }
    return i;
}

size_t Utf16ToCp874Blocks(const char16_t* text, size_t count, unsigned char* out) {
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
        __m128i offLo, offHi;
        if (!UnicodeOffsets(lo, &offLo) || !UnicodeOffsets(hi, &offHi)) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_packus_epi16(_mm_sub_epi16(lo, offLo), _mm_sub_epi16(hi, offHi)));
    }
    return i;
}

size_t CountNonSurrogateBlocks(const char16_t* text, size_t count) {
    const __m128i mask = _mm_set1_epi16(static_cast<short>(0xF800));
    const __m128i surrogate = _mm_set1_epi16(static_cast<short>(0xD800));
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(u, mask), surrogate)) != 0) break;
    }
    return i;
}

size_t ElevateToneMarkBlocks(unsigned char* bytes, size_t count) {
    // A tone mark 0xE8 - 0xEC drops by 0x60 unless the byte before it is 0xD1
    // or 0xD4 - 0xD7. The byte before a block may already have been elevated
    // by the block before; an elevated mark is no upper vowel, so it judges the
    // same.
    const __m128i rise = _mm_set1_epi8(0x60);
    size_t i = 1;
    for (; i + 16 <= count; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i - 1));
        const __m128i t = _mm_sub_epi8(c, _mm_set1_epi8(static_cast<char>(0xE8)));
        const __m128i tone = _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(4)), t);
        const __m128i v = _mm_sub_epi8(p, _mm_set1_epi8(static_cast<char>(0xD4)));
        const __m128i upper =
            _mm_or_si128(_mm_cmpeq_epi8(p, _mm_set1_epi8(static_cast<char>(0xD1))),
                         _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(3)), v));
        const __m128i elevate = _mm_andnot_si128(upper, tone);
        if (_mm_movemask_epi8(elevate) != 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i),
                             _mm_sub_epi8(c, _mm_and_si128(elevate, rise)));
        }
    }
    return i;
}

#else

size_t Utf8ToCp874Blocks(const unsigned char*, size_t, unsigned char*, size_t* written) {
    *written = 0;
    return 0;
}
size_t Cp874ToUtf16Blocks(const unsigned char*, size_t, char16_t*) { return 0; }
size_t Utf16ToCp874Blocks(const char16_t*, size_t, unsigned char*) { return 0; }
size_t CountNonSurrogateBlocks(const char16_t*, size_t) { return 0; }
size_t ElevateToneMarkBlocks(unsigned char*, size_t) { return 1; }

#endif
