// The lines of the catalogues, read with the shared .mo reader, as sets of
// distinct lines so that the corpus is the same whatever the order of files.
#include "catalogue_corpus.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "cp874.h"
#include "mo_catalog.h"
#include "utf8.h"

namespace {

bool IsValidUtf8(const std::string& s) {
    std::vector<char16_t> units(s.size() + 1);
    return !Utf8ToUtf16(reinterpret_cast<const unsigned char*>(s.data()), s.size(), true, units.data())
                .invalid;
}

}  // namespace

std::vector<std::string> CatalogueLines(const std::string& language, bool nonAsciiOnly) {
    std::set<std::string> lines;
    for (const CatalogMessage& message : ReadLanguageCatalogs(language)) {
        for (std::string& line : SplitLines(message.translation)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || !IsValidUtf8(line)) continue;
            const bool nonAscii = std::any_of(line.begin(), line.end(),
                                              [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            if (nonAsciiOnly && !nonAscii) continue;
            lines.insert(std::move(line));
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
