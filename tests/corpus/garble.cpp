// Garbling: bytes read through the wrong table, written back as UTF-8.
#include "garble.h"

#include <vector>

#include "cp874.h"
#include "utf8.h"

namespace {

std::string BytesThrough(const unsigned char* bytes, size_t count, const CodePageTable& page) {
    std::string out;
    out.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) AppendUtf8(&out, page.toUnicode[bytes[i]]);
    return out;
}

// The code page 874 bytes of a UTF-8 text.
std::vector<unsigned char> Cp874BytesOf(std::string_view utf8) {
    std::vector<char16_t> units(utf8.size() + 1);
    const Utf8Decoded decoded =
        Utf8ToUtf16(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), true, units.data());
    std::vector<unsigned char> bytes(decoded.written + 1);
    bytes.resize(Utf16ToCp874(units.data(), decoded.written, bytes.data()));
    return bytes;
}

}  // namespace

std::string GarbleCp874Through(std::string_view utf8, GarbleCodePage page) {
    const std::vector<unsigned char> bytes = Cp874BytesOf(utf8);
    return BytesThrough(bytes.data(), bytes.size(), CodePageTableOf(page));
}

std::string GarbleCp874ThroughLossy(std::string_view utf8, GarbleCodePage page) {
    const std::vector<unsigned char> bytes = Cp874BytesOf(utf8);
    const CodePageTable& table = CodePageTableOf(page);
    std::string out;
    for (size_t i = 0, n = bytes.size(); i < n; ++i) AppendUtf8(&out, table.undefined[bytes[i]] ? 0xFFFD : table.toUnicode[bytes[i]]);
    return out;
}

std::string GarbleUtf8Through(std::string_view utf8, GarbleCodePage page) {
    return BytesThrough(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(),
                        CodePageTableOf(page));
}

std::string GarbleUtf8ThroughCp874Lossy(std::string_view utf8, bool replace) {
    const CodePageTable& page = CodePageTableOf(kPageWindows874);
    std::string out;
    for (unsigned char b : utf8) {
        const char32_t c = page.toUnicode[b];
        if (b >= 0x80 && c == b) {
            if (replace) AppendUtf8(&out, 0xFFFD);
        } else {
            AppendUtf8(&out, c);
        }
    }
    return out;
}
