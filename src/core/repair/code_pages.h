// The single-byte code pages through which Thai gets garbled, read from glibc
// iconv at start-up, and code page 874 as Windows and web browsers show it.
// A byte that a code page leaves undefined reads as the character of the same
// value, the way Windows shows it.
#pragma once

#include <cstdint>

enum GarbleCodePage {
    kPageWindows874,  // our code page 874, with 0x81 - 0x9F undefined as Windows has them
    kPageWindows1252,
    kPageLatin1,
    kPageWindows1250,
    kPageIso8859_2,
    kPageWindows1251,
    kPageWindows1257,
    kPageWindows1253,
    kPageWindows1254,
    kPageCount,
};

// What stands in a table's reverse lookup for a character the page lacks.
inline constexpr int kNoPageByte = -1;

struct CodePageTable {
    const char* name;            // iconv's name, or "CP874"
    char32_t toUnicode[256];     // every byte has a character
    bool undefined[256];         // the page leaves the byte undefined (it reads as itself)
    // The byte of a character of the Basic Multilingual Plane, or kNoPageByte.
    int16_t fromUnicode[0x10000];
};

// The table of `page`, built on first use. A page that iconv cannot open has
// every byte above 0x7F undefined (reading as itself).
const CodePageTable& CodePageTableOf(GarbleCodePage page);

// The byte of `c` in `table`, or kNoPageByte.
inline int ByteOf(const CodePageTable& table, char32_t c) {
    return c < 0x10000 ? table.fromUnicode[c] : kNoPageByte;
}
