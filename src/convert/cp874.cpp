// Code page 874 conversions and tone-mark elevation.
#include "cp874.h"

#include <array>
#include <memory>

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
        byteOf[g_cp874ToUnicode[b]] = static_cast<short>(b);
    }
    return byteOf;
}

constexpr std::array<short, 65536> g_unicodeToCp874 = InvertCp874Table();

constexpr bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

constexpr bool IsToneMark(unsigned char b) { return b >= 0xE8 && b <= 0xEC; }

// MAI HAN-AKAT and the upper vowels SARA I, SARA II, SARA UE, SARA UEE.
constexpr bool IsUpperVowel(int b) { return b == 0xD1 || (b >= 0xD4 && b <= 0xD7); }

}  // namespace

size_t DecodeCp874(const unsigned char* bytes, size_t count, char16_t* out) {
    if (out) {
        for (size_t i = 0; i < count; ++i) out[i] = g_cp874ToUnicode[bytes[i]];
    }
    return count;
}

int Cp874ByteOf(char16_t unit) { return g_unicodeToCp874[unit]; }

size_t EncodeCp874(const char16_t* text, size_t count, unsigned char* out) {
    size_t written = 0;
    for (size_t i = 0; i < count; ++i) {
        char16_t u = text[i];
        int b = g_unicodeToCp874[u];
        if (b == kNoByte) {
            b = kCp874DefaultChar;
            if (IsHighSurrogate(u) && i + 1 < count && IsLowSurrogate(text[i + 1])) ++i;
        }
        if (out) out[written] = static_cast<unsigned char>(b);
        ++written;
    }
    return written;
}

void ElevateToneMarks(unsigned char* bytes, size_t count, int before) {
    // Only the unchanged byte right before a mark decides; an elevated mark is
    // never an upper vowel, so reading it after its own change gives the same.
    int previous = before;
    for (size_t i = 0; i < count; ++i) {
        unsigned char c = bytes[i];
        if (IsToneMark(c) && previous != kTextStart && !IsUpperVowel(previous)) {
            bytes[i] = static_cast<unsigned char>(c - 0x60);
        }
        previous = c;
    }
}

void ElevateToneMarks(char* text) {
    size_t count = 0;
    while (text[count] != '\0') ++count;
    ElevateToneMarks(reinterpret_cast<unsigned char*>(text), count);
}

size_t ByteViewToUnicode(const char16_t* text, size_t count, const char16_t ansiUnits[256],
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
        out[i] = b ? g_cp874ToUnicode[b - 1] : text[i];
    }
    return count;
}
