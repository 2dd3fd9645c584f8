// The code pages' tables: each byte read through glibc iconv once, on first
// use, and kept for the life of the program.
#include "code_pages.h"

#include <iconv.h>

#include <cstring>
#include <memory>
#include <mutex>

#include "cp874_table.h"

namespace {

constexpr const char* kIconvNames[kPageCount] = {
    "CP874", "CP1252", "ISO-8859-1", "CP1250", "ISO-8859-2",
    "CP1251", "CP1257", "CP1253", "CP1254",
};

// The character of one byte through iconv, or the byte's own value where the
// page leaves it undefined.
char32_t IconvCharOf(iconv_t cd, unsigned char byte, bool* defined) {
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outLeft != 4) {
        *defined = false;
        return byte;
    }
    *defined = true;
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24);
}

void FillReverse(CodePageTable* table) {
    std::memset(table->fromUnicode, 0xFF, sizeof table->fromUnicode);  // kNoPageByte
    for (int b = 255; b >= 0; --b) {
        const char32_t c = table->toUnicode[b];
        if (c < 0x10000) table->fromUnicode[c] = static_cast<int16_t>(b);
    }
}

std::unique_ptr<CodePageTable> BuildTable(GarbleCodePage page) {
    auto table = std::make_unique<CodePageTable>();
    table->name = kIconvNames[page];
    if (page == kPageWindows874) {
        // Our own table, except the elevated tone marks 0x88 - 0x8C: Windows
        // leaves them undefined, and so shows them as C1 controls.
        for (int b = 0; b < 256; ++b) table->toUnicode[b] = kCp874ToUtf16[b];
        for (int b = 0x88; b <= 0x8C; ++b) table->toUnicode[b] = static_cast<char32_t>(b);
        for (int b = 0; b < 256; ++b) table->undefined[b] = b >= 0x80 && table->toUnicode[b] == static_cast<char32_t>(b);
    } else {
        iconv_t cd = iconv_open("UTF-32LE", kIconvNames[page]);
        for (int b = 0; b < 256; ++b) {
            const unsigned char byte = static_cast<unsigned char>(b);
            bool defined = false;
            table->toUnicode[b] = cd == reinterpret_cast<iconv_t>(-1) ? static_cast<char32_t>(b)
                                                                       : IconvCharOf(cd, byte, &defined);
            table->undefined[b] = !defined;
        }
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
    FillReverse(table.get());
    return table;
}

}  // namespace

const CodePageTable& CodePageTableOf(GarbleCodePage page) {
    static std::unique_ptr<CodePageTable> tables[kPageCount];
    static std::once_flag once[kPageCount];
    std::call_once(once[page], [page] { tables[page] = BuildTable(page); });
    return *tables[page];
}
