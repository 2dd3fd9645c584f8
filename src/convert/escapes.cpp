// Writing and reading numeric character references and percent escapes.
#include "escapes.h"

#include <climits>

namespace {

constexpr bool IsDecimalDigit(char16_t u) { return u >= u'0' && u <= u'9'; }

constexpr int HexValue(char16_t u) {
    if (u <= u'9') return u - u'0';
    if (u <= u'F') return u - u'A' + 10;
    return u - u'a' + 10;
}

constexpr char kHexDigits[] = "0123456789abcdef";

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

// The number of decimal digits in text[from, limit), at most 5 looked at.
size_t DigitRun(const char16_t* text, size_t from, size_t limit) {
    size_t n = 0;
    while (n < 5 && from + n < limit && IsDecimalDigit(text[from + n])) ++n;
    return n;
}

}  // namespace

int IsHexDigitW(char16_t unit) {
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'F') ||
           (unit >= u'a' && unit <= u'f');
}

int ParseHexW(const char16_t* text) {
    unsigned int value = 0;
    for (; IsHexDigitW(*text); ++text) value = value * 16 + HexValue(*text);
    return static_cast<int>(value);
}

int ParseDecimalW(const char16_t* text) {
    int value = 0;
    for (; IsDecimalDigit(*text); ++text) {
        int digit = *text - u'0';
        if (value > (INT_MAX - digit) / 10) return INT_MAX;
        value = value * 10 + digit;
    }
    return value;
}

size_t EncodeEntitiesText(const char16_t* text, size_t count, char16_t* out) {
    size_t written = 0;
    for (size_t i = 0; i < count; ++i) {
        unsigned long value = text[i];
        if (value >= 0xD800 && value <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            value = 0x10000 + ((value - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        written += WriteReference(value, out ? out + written : nullptr);
    }
    return written;
}

size_t EncodePercentBytes(const unsigned char* bytes, size_t count, char16_t* out) {
    if (out) {
        for (size_t i = 0; i < count; ++i) {
            out[3 * i] = u'%';
            out[3 * i + 1] = static_cast<char16_t>(kHexDigits[bytes[i] >> 4]);
            out[3 * i + 2] = static_cast<char16_t>(kHexDigits[bytes[i] & 0xF]);
        }
    }
    return kPercentUnitsPerByte * count;
}

size_t DecodeEscapesText(const char16_t* text, size_t count, char16_t* out) {
    size_t written = 0;
    size_t p = 0;
    while (p < count) {
        char16_t u = text[p];
        if (u == u'%' && p + 2 < count && IsHexDigitW(text[p + 1]) && IsHexDigitW(text[p + 2])) {
            char16_t digits[3] = {text[p + 1], text[p + 2], 0};
            int value = ParseHexW(digits);
            if (value != 0) {
                out[written++] = static_cast<char16_t>(value);
                p += 3;
                continue;
            }
        } else if (u == u'&' && p + 1 < count && text[p + 1] == u'#') {
            // The longest run of digits right after "&#" has 2 to 4 units and
            // is followed at once by ';'.
            size_t digits = DigitRun(text, p + 2, count);
            size_t semicolon = p + 2 + digits;
            if (digits >= 2 && digits <= 4 && semicolon < count && text[semicolon] == u';') {
                char16_t number[5] = {};
                for (size_t k = 0; k < digits; ++k) number[k] = text[p + 2 + k];
                int value = ParseDecimalW(number);
                if (value != 0) {
                    out[written++] = static_cast<char16_t>(value);
                    p = semicolon + 1;
                    continue;
                }
            }
        }
        out[written++] = u;
        ++p;
    }
    return written;
}

size_t MatchEscapeAt(const char16_t* text, size_t count, size_t p, int* value) {
    if (p >= count) return 0;
    if (text[p] == u'%') {
        if (p + 2 >= count || !IsHexDigitW(text[p + 1]) || !IsHexDigitW(text[p + 2])) return 0;
        char16_t digits[3] = {text[p + 1], text[p + 2], 0};
        *value = ParseHexW(digits);
        return *value != 0 ? 3 : 0;
    }
    if (text[p] != u'&' || p + 1 >= count || text[p + 1] != u'#') return 0;
    size_t digits = DigitRun(text, p + 2, count);
    size_t semicolon = p + 2 + digits;
    if (digits < 2 || digits > 4 || semicolon >= count || text[semicolon] != u';') return 0;
    char16_t number[5] = {};
    for (size_t k = 0; k < digits; ++k) number[k] = text[p + 2 + k];
    *value = ParseDecimalW(number);
    return *value != 0 ? semicolon + 1 - p : 0;
}
