// Code page 874 conversions and tone-mark elevation.
#include "cp874.h"

#include <array>
#include <cstring>
#include <memory>

#include "cp874_blocks.h"
#include "utf16.h"

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

size_t Cp874ToUtf16(const unsigned char* bytes, size_t count, char16_t* out) {
    if (!out) return count;
    size_t i = 0;
    while (i < count) {
        i += Cp874ToUtf16Blocks(bytes + i, count - i, out + i);
        // The block the vector path left, or the tail, by the table.
        const size_t end = i + 16 < count ? i + 16 : count;
        for (; i < end; ++i) out[i] = kCp874ToUtf16[bytes[i]];
    }
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
        // ASCII and Thai (E0 B8 xx, E0 B9 xx), while sixteen bytes remain:
        // four Thai characters at a time, eight ASCII bytes at a time, or one
        // character of either.
        while (i + 16 <= count) {
            size_t blockWritten = 0;
            const size_t took = Utf8ToCp874Blocks(bytes + i, count - i, out + w, &blockWritten);
            i += took;
            w += blockWritten;
            if (i + 16 > count) break;
            unsigned long long first;
            unsigned second;
            std::memcpy(&first, bytes + i, 8);
            std::memcpy(&second, bytes + i + 8, 4);
            const unsigned char* b = bytes + i;
            if ((first & 0xFEFFC0FEFFC0FEFFULL) == 0xB8E080B8E080B8E0ULL &&
                (second & 0xC0FEFFC0u) == 0x80B8E080u) {
                out[w] = kThaiBlockBytes[(b[1] & 1u) << 6 | (b[2] & 0x3Fu)];
                out[w + 1] = kThaiBlockBytes[(b[4] & 1u) << 6 | (b[5] & 0x3Fu)];
                out[w + 2] = kThaiBlockBytes[(b[7] & 1u) << 6 | (b[8] & 0x3Fu)];
                out[w + 3] = kThaiBlockBytes[(b[10] & 1u) << 6 | (b[11] & 0x3Fu)];
                i += 12;
                w += 4;
            } else if ((first & 0x8080808080808080ULL) == 0) {
                std::memcpy(out + w, &first, 8);
                i += 8;
                w += 8;
            } else if (b[0] < 0x80) {
                out[w++] = b[0];
                ++i;
            } else if ((first & 0xC0FEFFu) == 0x80B8E0u) {
                out[w++] = kThaiBlockBytes[(b[1] & 1u) << 6 | (b[2] & 0x3Fu)];
                i += 3;
            } else {
                break;
            }
        }
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
    while (i < count) {
        // Until a surrogate, each unit is one byte.
        const size_t taken = out ? Utf16ToCp874Blocks(text + i, count - i, out + written)
                                 : CountNonSurrogateBlocks(text + i, count - i);
        i += taken;
        written += taken;
        // The block the vector path left, or the tail, a character at a time;
        // a pair may end one unit past the block.
        const size_t end = i + 16 < count ? i + 16 : count;
        while (i < end) i = EncodeOne(text, count, i, out, written++);
    }
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
    size_t i = ElevateToneMarkBlocks(bytes, count);
    int previous = bytes[i - 1];
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
