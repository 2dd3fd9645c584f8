// Code page 874 conversions and tone-mark elevation.
#include "cp874.h"
#include "utf16.h"

#include <array>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The encoder is the exact inverse of the decoding table, built when the program
// is compiled. The elevated tone marks 0x88 - 0x8C are left out: a tone mark
// encodes to its ordinary byte, and only elevation writes the other.
constexpr int kNoByte = -1;

constexpr std::array<short, 65536> InvertCp874Table() {
    std::array<short, 65536> byteOf{};
    for (auto& b : byteOf) b = kNoByte;
    for (int b = 0; b < 256; ++b) {
        if (b >= 0x88 && b <= 0x8C) continue;
        byteOf[kCp874ToUtf16[b]] = static_cast<short>(b);
    }
    return byteOf;
}

constexpr std::array<short, 65536> kUtf16ToCp874 = InvertCp874Table();

constexpr bool IsToneMark(unsigned char b) { return b >= 0xE8 && b <= 0xEC; }

// MAI HAN-AKAT and the upper vowels SARA I, SARA II, SARA UE, SARA UEE.
constexpr bool IsUpperVowel(int b) { return b == 0xD1 || (b >= 0xD4 && b <= 0xD7); }

}  // namespace

#if defined(__SSE2__)
namespace {

// The vector paths cover the two ranges that make up nearly all real text:
// ASCII, where byte and unit are equal, and the Thai letters 0xA1 - 0xDA and
// 0xDF - 0xFB, where the unit is the byte + 0x0D60. A block holding anything
// else goes through the table, one byte or unit at a time.
constexpr short kThaiOffset = 0x0D60;

// For 16 bytes: a mask of the Thai letters, and whether every byte is ASCII or
// a Thai letter. The compares are signed, so the bytes are moved by 0x80 first.
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

}  // namespace
#endif

size_t Cp874ToUtf16(const unsigned char* bytes, size_t count, char16_t* out) {
    if (!out) return count;
    size_t i = 0;
#if defined(__SSE2__)
    // A Thai letter's unit is 0x0E00 + (byte - 0xA0): its low byte is the byte
    // + 0x60 (wrapping), its high byte 0x0E.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= count; i += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        __m128i low = b, high = zero, thai;
        if (_mm_movemask_epi8(b) != 0) {
            if (!Cp874ThaiLetters(b, &thai)) {
                for (size_t k = i; k < i + 16; ++k) out[k] = kCp874ToUtf16[bytes[k]];
                continue;
            }
            low = _mm_add_epi8(b, _mm_and_si128(thai, _mm_set1_epi8(0x60)));
            high = _mm_and_si128(thai, _mm_set1_epi8(0x0E));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(low, high));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(low, high));
    }
#endif
    for (; i < count; ++i) out[i] = kCp874ToUtf16[bytes[i]];
    return count;
}

int Cp874ByteOf(char16_t unit) { return kUtf16ToCp874[unit]; }

namespace {

// The byte of U+0E00 + offset, for offsets 0 to 0x7F (E0 B8 80 to E0 B9 BF).
constexpr std::array<unsigned char, 128> ThaiBlockBytes() {
    std::array<unsigned char, 128> bytes{};
    for (size_t offset = 0; offset < 128; ++offset) {
        const int b = kUtf16ToCp874[0x0E00 + offset];
        bytes[offset] = static_cast<unsigned char>(b == kNoByte ? kCp874DefaultChar : b);
    }
    return bytes;
}
constexpr std::array<unsigned char, 128> kThaiBlockBytes = ThaiBlockBytes();

constexpr size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF5) return 4;
    return 0;
}

}  // namespace

Utf8Decoded Utf8ToCp874(const unsigned char* bytes, size_t count, bool atEnd, unsigned char* out) {
    size_t i = 0;
    size_t w = 0;
    while (i < count) {
        while (i + 8 <= count) {
            unsigned long long chunk;
            std::memcpy(&chunk, bytes + i, 8);
            if (chunk & 0x8080808080808080ULL) break;
            std::memcpy(out + w, &chunk, 8);
            i += 8;
            w += 8;
        }
        // Thai, E0 B8 xx and E0 B9 xx, one after another.
        while (i + 3 <= count && bytes[i] == 0xE0 && (bytes[i + 1] & 0xFE) == 0xB8 &&
               (bytes[i + 2] & 0xC0) == 0x80) {
            out[w++] = kThaiBlockBytes[(bytes[i + 1] & 1u) << 6 | (bytes[i + 2] & 0x3Fu)];
            i += 3;
        }
        if (i >= count) break;
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            out[w++] = lead;
            ++i;
            continue;
        }
        // Anything else, one sequence at a time through the UTF-16 reader.
        const size_t length = Utf8SequenceLength(lead);
        if (length == 0) return {i, w, true};
        const size_t present = count - i < length ? count - i : length;
        char16_t units[4];
        const Utf8Decoded one = Utf8ToUtf16(bytes + i, present, atEnd || present == length, units);
        if (one.invalid) return {i, w, true};
        if (one.read == 0) break;  // cut off: the rest comes with the next block
        w += Utf16ToCp874(units, one.written, out + w);
        i += one.read;
    }
    return {i, w, false};
}

namespace {

// Encodes the character at text[i] into out[written] (when out is not null);
// returns the index after it.
inline size_t EncodeOne(const char16_t* text, size_t count, size_t i, unsigned char* out,
                        size_t written) {
    char16_t u = text[i];
    int b = kUtf16ToCp874[u];
    if (b == kNoByte) {
        b = kCp874DefaultChar;
        if (StartsSurrogatePair(text, count, i)) ++i;
    }
    if (out) out[written] = static_cast<unsigned char>(b);
    return i + 1;
}

}  // namespace

size_t Utf16ToCp874(const char16_t* text, size_t count, unsigned char* out) {
    size_t written = 0;
    size_t i = 0;
#if defined(__SSE2__)
    if (out) {
        while (i + 16 <= count) {
            const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
            __m128i offLo, offHi;
            if (UnicodeOffsets(lo, &offLo) && UnicodeOffsets(hi, &offHi)) {
                const __m128i packed =
                    _mm_packus_epi16(_mm_sub_epi16(lo, offLo), _mm_sub_epi16(hi, offHi));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + written), packed);
                i += 16;
                written += 16;
            } else {
                // A pair may end one unit past the block.
                const size_t end = i + 16;
                while (i < end) i = EncodeOne(text, count, i, out, written++);
            }
        }
    } else {
        // Counting: only surrogates can make the result shorter than the text.
        const __m128i mask = _mm_set1_epi16(static_cast<short>(0xF800));
        const __m128i surrogate = _mm_set1_epi16(static_cast<short>(0xD800));
        while (i + 8 <= count) {
            const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(u, mask), surrogate)) == 0) {
                i += 8;
                written += 8;
            } else {
                const size_t end = i + 8;
                while (i < end) i = EncodeOne(text, count, i, nullptr, written++);
            }
        }
    }
#endif
    while (i < count) i = EncodeOne(text, count, i, out, written++);
    return written;
}

void ElevateToneMarks(unsigned char* bytes, size_t count, int before) {
    // Only the unchanged byte right before a mark decides; an elevated mark is
    // never an upper vowel, so reading it after its own change gives the same.
    // That is also why a block may read the byte before it after the previous
    // block was written.
    if (count == 0) return;
    unsigned char first = bytes[0];
    if (IsToneMark(first) && before != kTextStart && !IsUpperVowel(before)) {
        bytes[0] = static_cast<unsigned char>(first - 0x60);
    }
    int previous = first;
    size_t i = 1;
#if defined(__SSE2__)
    const __m128i rise = _mm_set1_epi8(0x60);
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
    if (i < count) previous = bytes[i - 1];
#endif
    for (; i < count; ++i) {
        unsigned char c = bytes[i];
        if (IsToneMark(c) && !IsUpperVowel(previous)) {
            bytes[i] = static_cast<unsigned char>(c - 0x60);
        }
        previous = c;
    }
}

size_t ByteViewToUtf16(const char16_t* text, size_t count, const char16_t ansiUnits[256],
                         char16_t* out) {
    if (!out) return count;
    // Unit -> its ANSI byte + 1, 0 where the ANSI code page lacks the unit.
    auto byteOf = std::make_unique<unsigned short[]>(65536);
    byteOf[0] = 1;
    for (int b = 1; b < 256; ++b) {
        if (ansiUnits[b] != 0) byteOf[ansiUnits[b]] = static_cast<unsigned short>(b + 1);
    }
    for (size_t i = 0; i < count; ++i) {
        unsigned short b = byteOf[text[i]];
        out[i] = b ? kCp874ToUtf16[b - 1] : text[i];
    }
    return count;
}
