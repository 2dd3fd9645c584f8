// Writing and reading numeric character references and percent escapes.
#include "escapes.h"
#include "utf16.h"

#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The word-sized writes below lay units out in memory order.
static_assert(std::endian::native == std::endian::little, "the writers assume little-endian words");

namespace {

constexpr bool IsDecimalDigit(char16_t u) { return u >= u'0' && u <= u'9'; }

constexpr int HexValue(char16_t u) {
    if (u <= u'9') return u - u'0';
    if (u <= u'F') return u - u'A' + 10;
    return u - u'a' + 10;
}

constexpr char kHexDigits[] = "0123456789abcdef";

// The value of a hex digit unit below 128, or -1.
constexpr std::array<signed char, 128> MakeHexValues() {
    std::array<signed char, 128> values{};
    for (int u = 0; u < 128; ++u) {
        values[u] = static_cast<signed char>(
            (u >= '0' && u <= '9') ? u - '0'
            : (u >= 'A' && u <= 'F') ? u - 'A' + 10
            : (u >= 'a' && u <= 'f') ? u - 'a' + 10
                                     : -1);
    }
    return values;
}

constexpr std::array<signed char, 128> kHexValues = MakeHexValues();

inline int HexDigitValue(char16_t u) { return u < 128 ? kHexValues[u] : -1; }

// The reference of every unit below 10000 ("&#0;" to "&#9999;", 4 to 7 units),
// padded to 8 units, the last of which holds its length.
struct ShortReference {
    char16_t units[8];
};

constexpr size_t kShortReferenceLimit = 10000;

constexpr std::array<ShortReference, kShortReferenceLimit> MakeShortReferences() {
    std::array<ShortReference, kShortReferenceLimit> refs{};
    for (size_t v = 0; v < kShortReferenceLimit; ++v) {
        char16_t* u = refs[v].units;
        size_t n = 0;
        u[n++] = u'&';
        u[n++] = u'#';
        const size_t digits = v >= 1000 ? 4 : v >= 100 ? 3 : v >= 10 ? 2 : 1;
        size_t rest = v;
        for (size_t k = digits; k > 0; --k) {
            u[n + k - 1] = static_cast<char16_t>(u'0' + rest % 10);
            rest /= 10;
        }
        n += digits;
        u[n++] = u';';
        u[7] = static_cast<char16_t>(n);
    }
    return refs;
}

constexpr std::array<ShortReference, kShortReferenceLimit> kShortReferences =
    MakeShortReferences();

// Writes "&#<value>;" at out (when out is not null) and returns its length.
size_t WriteReference(unsigned long value, char16_t* out) {
    char16_t digits[10];
    size_t n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    const size_t length = n + 3;
    if (out) {
        *out++ = u'&';
        *out++ = u'#';
        while (n > 0) *out++ = digits[--n];
        *out = u';';
    }
    return length;
}

// By which of the units 4, 5 and 6 after '&' are ';' (bits 0, 1, 2): the
// length of the digit run that the first of them ends, 0 for none. A table
// rather than branches, since the lengths of real text alternate at random.
constexpr unsigned char kRunBeforeSemicolon[8] = {0, 2, 3, 2, 4, 2, 3, 2};

#if defined(__SSE2__)
// For a run of 2, 3 or 4 digits after "&#": the weight of each of the 8 units
// from '&' on, so that a dot product gives the run's value.
alignas(16) constexpr short kDigitWeights[5][8] = {
    {},
    {},
    {0, 0, 10, 1, 0, 0, 0, 0},
    {0, 0, 100, 10, 1, 0, 0, 0},
    {0, 0, 1000, 100, 10, 1, 0, 0},
};
#endif

}  // namespace

namespace {

// Writes the reference of the character at text[i] exactly, adds its length to
// `written` and returns the index after it.
inline size_t EntityOf(const char16_t* text, size_t count, size_t i, char16_t* out,
                       size_t& written) {
    unsigned long value = text[i];
    if (StartsSurrogatePair(text, count, i)) {
        value = CombineSurrogates(text[i], text[i + 1]);
        ++i;
    }
    written += WriteReference(value, out ? out + written : nullptr);
    return i + 1;
}

}  // namespace

size_t Utf16ToEntities(const char16_t* text, size_t count, char16_t* out) {
    size_t written = 0;
    size_t i = 0;
    if (out) {
        // A unit below 10000 is written as the 8 units of its table entry.
        // The units past the reference's end are overwritten by the next
        // reference, which is at least 4 units long while the padding is at
        // most 4; so this only runs while another unit follows, and nothing is
        // ever written past the final result.
        while (i + 1 < count) {
            const char16_t u = text[i];
            if (u < kShortReferenceLimit) {
                const ShortReference& ref = kShortReferences[u];
                std::memcpy(out + written, ref.units, sizeof ref.units);
                written += ref.units[7];
                ++i;
            } else {
                i = EntityOf(text, count, i, out, written);
            }
        }
    } else {
        while (i + 1 < count && text[i] < kShortReferenceLimit) {
            written += kShortReferences[text[i]].units[7];
            ++i;
        }
    }
    while (i < count) i = EntityOf(text, count, i, out, written);
    return written;
}

namespace {

// "%xx%yy" of every pair of bytes (the first in the low byte of the index),
// padded to 8 units. Built on first use: 1 MiB that only the percent encoder
// needs.
const char16_t* PercentPairs() {
    static const char16_t* const pairs = [] {
        auto* table = new char16_t[65536 * 8];
        for (size_t pair = 0; pair < 65536; ++pair) {
            char16_t* e = table + pair * 8;
            const unsigned first = pair & 0xFF, second = pair >> 8;
            const char16_t units[8] = {u'%', char16_t(kHexDigits[first >> 4]),
                                       char16_t(kHexDigits[first & 0xF]), u'%',
                                       char16_t(kHexDigits[second >> 4]),
                                       char16_t(kHexDigits[second & 0xF]), 0, 0};
            std::memcpy(e, units, sizeof units);
        }
        return table;
    }();
    return pairs;
}

}  // namespace

size_t Cp874ToPercent(const unsigned char* bytes, size_t count, char16_t* out) {
    if (out) {
        // Two bytes per lookup, written as 8 units of which the last 2 are
        // overwritten by the next pair; the loop stops while a whole byte
        // still follows, so nothing lands past the result.
        size_t i = 0;
        char16_t* o = out;
        if (count >= 3) {
            const char16_t* pairs = PercentPairs();
            for (; i + 3 <= count; i += 2, o += 6) {
                std::memcpy(o, pairs + (bytes[i] | bytes[i + 1] << 8) * 8, 8 * sizeof(char16_t));
            }
        }
        for (; i < count; ++i, o += 3) {
            o[0] = u'%';
            o[1] = static_cast<char16_t>(kHexDigits[bytes[i] >> 4]);
            o[2] = static_cast<char16_t>(kHexDigits[bytes[i] & 0xF]);
        }
    }
    return kPercentUnitsPerByte * count;
}

namespace {

// MatchEscapeAt's body, inlined into the decoder's loop.
inline size_t MatchEscape(const char16_t* text, size_t count, size_t p, int* value) {
    if (p >= count) return 0;
    if (text[p] == u'%') {
        if (p + 2 >= count) return 0;
        const int high = HexDigitValue(text[p + 1]);
        const int low = HexDigitValue(text[p + 2]);
        // Negative when either is no digit, 0 for "%00": neither is read.
        if ((high | low) <= 0) return 0;
        *value = high * 16 + low;
        return 3;
    }
    if (text[p] != u'&' || p + 1 >= count || text[p + 1] != u'#') return 0;
    // The longest run of digits right after "&#" has 2 to 4 units and is
    // followed at once by ';'.
    size_t digits = 0;
    int number = 0;
    while (digits < 5 && p + 2 + digits < count && IsDecimalDigit(text[p + 2 + digits])) {
        number = number * 10 + (text[p + 2 + digits] - u'0');
        ++digits;
    }
    const size_t semicolon = p + 2 + digits;
    if (digits < 2 || digits > 4 || semicolon >= count || text[semicolon] != u';' || number == 0) {
        return 0;
    }
    *value = number;
    return semicolon + 1 - p;
}

}  // namespace

size_t MatchEscapeAt(const char16_t* text, size_t count, size_t p, int* value) {
    return MatchEscape(text, count, p, value);
}

size_t EscapesToUtf16(const char16_t* text, size_t count, char16_t* out) {
    size_t written = 0;
    size_t p = 0;
#if defined(__SSE2__)
    const __m128i percent = _mm_set1_epi16(u'%');
    const __m128i ampersand = _mm_set1_epi16(u'&');
    const __m128i below0 = _mm_set1_epi16(u'0' - 1);
    const __m128i above9 = _mm_set1_epi16(u'9' + 1);
    const __m128i zeroDigit = _mm_set1_epi16(u'0');
#endif
    while (p < count) {
        const char16_t u = text[p];
        if (u == u'%' || u == u'&') {
#if defined(__SSE2__)
            if (u == u'&' && p + 8 <= count && text[p + 1] == u'#') {
                // The same rule as MatchEscapeAt, without its branches: the
                // run's length is read from where the ';' stands (the first one
                // 2, 3 or 4 units after "&#"), the digit mask then checks every
                // unit before it, and the value is a dot product with the
                // powers of ten that fit that length.
                const unsigned semicolons = (text[p + 4] == u';') |
                                            (text[p + 5] == u';') << 1 |
                                            (text[p + 6] == u';') << 2;
                const size_t digits = kRunBeforeSemicolon[semicolons];
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
                const __m128i isDigit = _mm_and_si128(_mm_cmpgt_epi16(v, below0),
                                                      _mm_cmplt_epi16(v, above9));
                const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(isDigit)) >> 4;
                const unsigned wanted = (1u << (2 * digits)) - 1;
                if (digits != 0 && (mask & wanted) == wanted) {
                    const __m128i products = _mm_madd_epi16(
                        _mm_sub_epi16(v, zeroDigit),
                        _mm_load_si128(reinterpret_cast<const __m128i*>(kDigitWeights[digits])));
                    const __m128i pairs = _mm_add_epi32(products, _mm_shuffle_epi32(products, 0x4E));
                    const int value =
                        _mm_cvtsi128_si32(_mm_add_epi32(pairs, _mm_shuffle_epi32(pairs, 0xB1)));
                    if (value != 0) {
                        out[written++] = static_cast<char16_t>(value);
                        p += digits + 3;
                        continue;
                    }
                }
                out[written++] = u;
                ++p;
                continue;
            }
#endif
            int value = 0;
            const size_t length = MatchEscape(text, count, p, &value);
            if (length != 0) {
                out[written++] = static_cast<char16_t>(value);
                p += length;
                continue;
            }
        }
#if defined(__SSE2__)
        else if (p + 8 <= count) {
            // Plain text: copy it 8 units at a time up to the next '%' or '&'.
            while (p + 8 <= count) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
                const int starts = _mm_movemask_epi8(
                    _mm_or_si128(_mm_cmpeq_epi16(v, percent), _mm_cmpeq_epi16(v, ampersand)));
                if (starts != 0) {
                    const size_t plain =
                        static_cast<size_t>(std::countr_zero(static_cast<unsigned>(starts))) / 2;
                    for (size_t k = 0; k < plain; ++k) out[written++] = text[p++];
                    break;
                }
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + written), v);
                p += 8;
                written += 8;
            }
            continue;
        }
#endif
        out[written++] = u;
        ++p;
    }
    return written;
}
