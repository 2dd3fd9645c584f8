// Real text for the tests: the messages of the gettext catalogues (.mo files)
// that Debian's packages install under /usr/share/locale, read directly from
// the binary format so that no tool is needed at test time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct CatalogMessage {
    std::string original;     // the msgid (its plural form is a message of its own)
    std::string translation;  // one form of the msgstr
};

namespace mo_detail {

inline uint32_t Read32(const std::string& data, size_t at, bool swapped) {
    if (at + 4 > data.size()) return 0;
    uint32_t v;
    std::memcpy(&v, data.data() + at, 4);
    return swapped ? __builtin_bswap32(v) : v;
}

// The strings at entry `index` of the table at `table`: the parts that NULs
// separate (msgid and msgid_plural, or the plural forms).
inline std::vector<std::string> Strings(const std::string& data, uint32_t table, uint32_t index,
                                        bool swapped) {
    const uint32_t length = Read32(data, table + 8 * index, swapped);
    const uint32_t offset = Read32(data, table + 8 * index + 4, swapped);
    std::vector<std::string> parts;
    if (static_cast<uint64_t>(offset) + length > data.size()) return parts;
    const std::string whole = data.substr(offset, length);
    size_t start = 0;
    for (size_t nul; (nul = whole.find('\0', start)) != std::string::npos; start = nul + 1) {
        parts.push_back(whole.substr(start, nul - start));
    }
    parts.push_back(whole.substr(start));
    return parts;
}

}  // namespace mo_detail

// The messages of one catalogue, without its header entry and without the
// context prefix ("context\x04") of a msgid. Empty if the file is unreadable.
inline std::vector<CatalogMessage> ReadMoCatalog(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<CatalogMessage> messages;
    if (data.size() < 20) return messages;
    const uint32_t magic = mo_detail::Read32(data, 0, false);
    const bool swapped = magic == 0xDE120495u;
    if (!swapped && magic != 0x950412DEu) return messages;
    const uint32_t count = mo_detail::Read32(data, 8, swapped);
    const uint32_t originals = mo_detail::Read32(data, 12, swapped);
    const uint32_t translations = mo_detail::Read32(data, 16, swapped);
    for (uint32_t i = 0; i < count; ++i) {
        std::vector<std::string> ids = mo_detail::Strings(data, originals, i, swapped);
        const std::vector<std::string> strs = mo_detail::Strings(data, translations, i, swapped);
        if (ids.empty() || ids[0].empty()) continue;  // the header
        for (std::string& id : ids) {
            const size_t context = id.find('\x04');
            if (context != std::string::npos) id.erase(0, context + 1);
        }
        for (size_t k = 0; k < strs.size(); ++k) {
            messages.push_back({ids[k < ids.size() ? k : ids.size() - 1], strs[k]});
        }
    }
    return messages;
}

// The messages of every catalogue of `language` under /usr/share/locale.
inline std::vector<CatalogMessage> ReadLanguageCatalogs(const std::string& language) {
    std::vector<CatalogMessage> all;
    const std::filesystem::path dir = "/usr/share/locale/" + language + "/LC_MESSAGES";
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (entry.path().extension() == ".mo") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::vector<CatalogMessage> messages = ReadMoCatalog(file);
        all.insert(all.end(), messages.begin(), messages.end());
    }
    return all;
}

// The lines of a text (split at LF), without empty ones.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t lf; start <= text.size(); start = lf + 1) {
        lf = text.find('\n', start);
        if (lf == std::string::npos) lf = text.size();
        if (lf > start) lines.push_back(text.substr(start, lf - start));
    }
    return lines;
}
