// UTF-8 in and out of UTF-16.
#include "utf8.h"

#include "utf16.h"

#include <cstring>

namespace {

constexpr bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the sequence that `lead` begins, 0 for a byte that begins none.
constexpr size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;  // continuation bytes, and C0 C1 (always overlong)
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF5) return 4;
    return 0;
}

// The range of the second byte after a lead, where it is narrower than 80 - BF:
// it rules out overlong forms, surrogates and values above U+10FFFF.
constexpr bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0: return second >= 0xA0 && second <= 0xBF;
        case 0xED: return second >= 0x80 && second <= 0x9F;
        case 0xF0: return second >= 0x90 && second <= 0xBF;
        case 0xF4: return second >= 0x80 && second <= 0x8F;
        default: return IsContinuation(second);
    }
}

}  // namespace

Utf8Decoded Utf8ToUtf16(const unsigned char* bytes, size_t count, bool atEnd, char16_t* out) {
    size_t i = 0;
    size_t w = 0;
    while (i < count) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= count) {
            unsigned long long chunk;
            std::memcpy(&chunk, bytes + i, 8);
            if (chunk & 0x8080808080808080ULL) break;
            for (int k = 0; k < 8; ++k) out[w + k] = bytes[i + k];
            i += 8;
            w += 8;
        }
        if (i >= count) break;
        if (bytes[i] < 0x80) {
            out[w++] = bytes[i++];
            continue;
        }
        const unsigned char lead = bytes[i];
        // Three bytes, the form of all Thai, checked in one go.
        if ((lead & 0xF0) == 0xE0 && i + 3 <= count) {
            const unsigned b1 = bytes[i + 1], b2 = bytes[i + 2];
            const unsigned cp = ((lead & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
            if (((b1 & 0xC0) == 0x80) & ((b2 & 0xC0) == 0x80) & (cp >= 0x800) &
                ((cp & 0xF800) != 0xD800)) {
                out[w++] = static_cast<char16_t>(cp);
                i += 3;
                continue;
            }
        }
        const size_t length = SequenceLength(lead);
        if (length == 0) return {i, w, true};
        // Check what is there; a sequence cut off by the end of the bytes is
        // invalid only if nothing follows or what is there is already wrong.
        const size_t present = count - i < length ? count - i : length;
        if (present >= 2 && !SecondByteFits(lead, bytes[i + 1])) return {i, w, true};
        for (size_t k = 2; k < present; ++k) {
            if (!IsContinuation(bytes[i + k])) return {i, w, true};
        }
        if (present < length) {
            if (atEnd) return {i, w, true};
            break;
        }
        if (length == 2) {
            out[w++] = static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
        } else if (length == 3) {
            out[w++] = static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) |
                                             (bytes[i + 2] & 0x3F));
        } else {
            const unsigned long cp = ((lead & 0x07UL) << 18) | ((bytes[i + 1] & 0x3FUL) << 12) |
                                     ((bytes[i + 2] & 0x3FUL) << 6) | (bytes[i + 3] & 0x3FUL);
            out[w++] = HighSurrogateOf(cp);
            out[w++] = LowSurrogateOf(cp);
        }
        i += length;
    }
    return {i, w, false};
}

size_t Utf8OffsetOfUnit(const unsigned char* bytes, size_t unit) {
    size_t offset = 0;
    size_t units = 0;
    for (;;) {
        const size_t length = SequenceLength(bytes[offset]);
        const size_t yields = length == 4 ? 2 : 1;
        if (units + yields > unit) return offset;
        units += yields;
        offset += length;
    }
}

size_t Utf16ToUtf8(const char16_t* text, size_t count, unsigned char* out) {
    size_t w = 0;
    for (size_t i = 0; i < count; ++i) {
        unsigned long u = text[i];
        if (u < 0x80) {
            out[w++] = static_cast<unsigned char>(u);
            continue;
        }
        if (u < 0x800) {
            out[w++] = static_cast<unsigned char>(0xC0 | (u >> 6));
            out[w++] = static_cast<unsigned char>(0x80 | (u & 0x3F));
            continue;
        }
        if (IsSurrogate(u)) {
            if (StartsSurrogatePair(text, count, i)) {
                const unsigned long cp = CombineSurrogates(u, text[i + 1]);
                ++i;
                out[w++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
                out[w++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
                out[w++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
                out[w++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
                continue;
            }
            u = 0xFFFD;
        }
        out[w++] = static_cast<unsigned char>(0xE0 | (u >> 12));
        out[w++] = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
        out[w++] = static_cast<unsigned char>(0x80 | (u & 0x3F));
    }
    return w;
}

void AppendUtf8(std::string* out, char32_t cp) {
    char16_t units[2];
    size_t count = 1;
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
        units[0] = HighSurrogateOf(cp);
        units[1] = LowSurrogateOf(cp);
        count = 2;
    } else {
        units[0] = cp > 0x10FFFF ? char16_t{0xFFFD} : static_cast<char16_t>(cp);
    }
    unsigned char bytes[4];
    out->append(reinterpret_cast<const char*>(bytes), Utf16ToUtf8(units, count, bytes));
}

bool Utf8ToCodePoints(std::string_view utf8, std::u32string* out) {
    std::u16string units(utf8.size(), u'\0');
    const Utf8Decoded decoded =
        Utf8ToUtf16(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), true, units.data());
    out->clear();
    if (decoded.invalid) return false;
    for (size_t i = 0; i < decoded.written; ++i) {
        if (StartsSurrogatePair(units.data(), decoded.written, i)) {
            out->push_back(CombineSurrogates(units[i], units[i + 1]));
            ++i;
        } else {
            out->push_back(units[i]);
        }
    }
    return true;
}
