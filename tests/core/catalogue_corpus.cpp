// The .mo reader: a header of 32-bit words (magic, revision, count, the offsets
// of the original and translated string tables), each table a list of
// (length, offset) pairs. Plural forms are separated by NUL.
#include "catalogue_corpus.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "cp874.h"
#include "utf8.h"

namespace {

constexpr uint32_t kMoMagic = 0x950412DE;

uint32_t Word(const std::string& data, size_t offset, bool swap) {
    if (offset + 4 > data.size()) return 0;
    uint32_t w;
    std::memcpy(&w, data.data() + offset, 4);
    return swap ? __builtin_bswap32(w) : w;
}

// The translations of one catalogue, the header entry left out.
std::vector<std::string> ReadTranslations(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> out;
    if (data.size() < 28) return out;
    bool swap = false;
    if (Word(data, 0, false) != kMoMagic) {
        if (Word(data, 0, true) != kMoMagic) return out;
        swap = true;
    }
    const uint32_t count = Word(data, 8, swap);
    const uint32_t originals = Word(data, 12, swap);
    const uint32_t translations = Word(data, 16, swap);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t idLength = Word(data, originals + 8 * i, swap);
        const uint32_t length = Word(data, translations + 8 * i, swap);
        const uint32_t offset = Word(data, translations + 8 * i + 4, swap);
        if (idLength == 0 || offset + static_cast<uint64_t>(length) > data.size()) continue;
        std::string text = data.substr(offset, length);
        std::replace(text.begin(), text.end(), '\0', '\n');
        out.push_back(std::move(text));
    }
    return out;
}

bool IsValidUtf8(const std::string& s) {
    std::vector<char16_t> units(s.size() + 1);
    return !Utf8ToUtf16(reinterpret_cast<const unsigned char*>(s.data()), s.size(), true, units.data())
                .invalid;
}

}  // namespace

std::vector<std::string> CatalogueLines(const std::string& language, bool nonAsciiOnly) {
    namespace fs = std::filesystem;
    std::set<std::string> lines;
    const fs::path dir = fs::path("/usr/share/locale") / language / "LC_MESSAGES";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() != ".mo") continue;
        for (const std::string& text : ReadTranslations(entry.path())) {
            size_t start = 0;
            while (start <= text.size()) {
                size_t end = text.find('\n', start);
                if (end == std::string::npos) end = text.size();
                std::string line = text.substr(start, end - start);
                start = end + 1;
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (line.empty() || !IsValidUtf8(line)) continue;
                const bool nonAscii = std::any_of(line.begin(), line.end(),
                                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
                if (nonAsciiOnly && !nonAscii) continue;
                lines.insert(std::move(line));
            }
        }
    }
    return {lines.begin(), lines.end()};
}

std::vector<std::string> ThaiCorpus() {
    std::vector<std::string> out;
    for (std::string& line : CatalogueLines("th", true)) {
        std::vector<char16_t> units(line.size() + 1);
        const Utf8Decoded d = Utf8ToUtf16(reinterpret_cast<const unsigned char*>(line.data()),
                                          line.size(), true, units.data());
        bool thai = false, encodable = true;
        for (size_t i = 0; i < d.written; ++i) {
            thai |= units[i] >= 0x0E01 && units[i] <= 0x0E5B;
            encodable &= units[i] < 0x80 || Cp874ByteOf(units[i]) >= 0x80;
        }
        if (thai && encodable) out.push_back(std::move(line));
    }
    return out;
}

bool IsHeldOutLine(const std::string& line) {
    uint32_t h = 0x811C9DC5;
    for (unsigned char b : line) h = (h ^ b) * 0x01000193;
    return h % 4 == 0;
}
