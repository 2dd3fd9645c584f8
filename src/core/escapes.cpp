// Writing and reading numeric character references and percent escapes.
#include "escapes.h"

#include <array>
#include <bit>
#include <cstring>

#include "escapes_blocks.h"
#include "utf16.h"

// The word-sized writes below lay units out in memory order.
static_assert(std::endian::native == std::endian::little, "the writers assume little-endian words");

namespace {

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

// The reference that begins at text[p], text[p + 1] being "&#". The run of
// digits right after "&#" has 2 to 4 units and is followed at once by ';'. Its
// length is read from where the first ';' stands, without branches on it (the
// lengths of real text alternate at random); every unit before it must be a
// digit. kNearEnd: fewer than 7 units from p to the end, so reads are checked.
template <bool kNearEnd>
inline size_t MatchReference(const char16_t* text, size_t count, size_t p, int* value) {
    auto unit = [&](size_t k) -> unsigned { return !kNearEnd || p + k < count ? text[p + k] : 0u; };
    const unsigned semicolons =
        (unit(4) == u';') | (unit(5) == u';') << 1 | (unit(6) == u';') << 2;
    const size_t digits = kRunBeforeSemicolon[semicolons];
    if (digits == 0) return 0;
    // The value of the first two, three and four units after "&#" is worked
    // out beside the search for ';', and the run's length then picks one;
    // every unit of the run must be a digit, the units after it may be anything.
    const unsigned d0 = unit(2) - unsigned{u'0'}, d1 = unit(3) - unsigned{u'0'};
    const unsigned d2 = unit(4) - unsigned{u'0'}, d3 = unit(5) - unsigned{u'0'};
    const unsigned isDigit = (d0 <= 9) | (d1 <= 9) << 1 | (d2 <= 9) << 2 | (d3 <= 9) << 3;
    const unsigned wanted = (1u << digits) - 1;
    const unsigned two = d0 * 10 + d1, three = two * 10 + d2, four = three * 10 + d3;
    const int number = static_cast<int>(digits == 2 ? two : digits == 3 ? three : four);
    const bool notDigit = (isDigit & wanted) != wanted;
    if (notDigit || number == 0) return 0;
    *value = number;
    return digits + 3;
}

// MatchEscapeAt's body, inlined into the decoder's loop.
[[gnu::always_inline]] inline size_t MatchEscape(const char16_t* text, size_t count, size_t p, int* value) {
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
    return p + 7 <= count ? MatchReference<false>(text, count, p, value)
                          : MatchReference<true>(text, count, p, value);
}

}  // namespace

size_t MatchEscapeAt(const char16_t* text, size_t count, size_t p, int* value) {
    return MatchEscape(text, count, p, value);
}

size_t EscapesToUtf16(const char16_t* text, size_t count, char16_t* out) {
    size_t written = 0;
    size_t p = 0;
    while (p < count) {
        const char16_t u = text[p];
        if (u == u'%' || u == u'&') {
            int value = 0;
            const size_t length = MatchEscape(text, count, p, &value);
            out[written++] = length ? static_cast<char16_t>(value) : u;
            p += length ? length : 1;
            continue;
        }
        // Plain text up to the next '%' or '&', a block at a time where it can.
        const size_t plain = CopyPlainUnits(text + p, count - p, out + written);
        if (plain == 0) {
            out[written++] = u;
            ++p;
        }
        p += plain;
        written += plain;
    }
    return written;
}
