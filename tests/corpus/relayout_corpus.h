// The real text relayout --auto is measured on: Thai lines from the Thai
// catalogues, and English lines from the originals of the same catalogues,
// each also garbled as if typed with the other layout on.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "mo_catalog.h"

// The catalogues the measure reads (the setup script installs their packages).
inline const char* const kRelayoutCatalogs[] = {
    "glib20", "gtk20", "gtk20-properties", "gdk-pixbuf", "dpkg", "apt", "libapt-pkg6.0", "grep",
    "iso_639-2", "iso_3166-1", "iso_4217", "iso_15924",
};

// The distinct lines of the chosen catalogues of `language`: their
// translations, or their originals when `originals` is set.
inline std::vector<std::string> ReadCatalogLines(const std::string& language, bool originals) {
    std::vector<std::string> lines;
    std::vector<std::string> seen;
    for (const char* name : kRelayoutCatalogs) {
        const std::string path = "/usr/share/locale/" + language + "/LC_MESSAGES/" + name + ".mo";
        for (const CatalogMessage& m : ReadMoCatalog(path)) {
            for (std::string& line : SplitLines(originals ? m.original : m.translation)) {
                lines.push_back(std::move(line));
            }
        }
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

// English as developers write it, names of programs and processors, options
// and identifiers among the words: the change logs and news of packages the
// setup script installs.
inline const char* const kChangeLogs[] = {
    "/usr/share/doc/dpkg/changelog.gz",           "/usr/share/doc/grep/changelog.gz",
    "/usr/share/doc/grep/NEWS.gz",                "/usr/share/doc/imagemagick/changelog.gz",
    "/usr/share/doc/libgtk2.0-common/NEWS.gz",    "/usr/share/doc/apt/changelog.gz",
    "/usr/share/doc/wine/NEWS.gz",                "/usr/share/doc/locales/changelog.Debian.gz",
    "/usr/share/doc/fonts-thai-tlwg/changelog.gz", "/usr/share/doc/xvfb/changelog.gz",
};

// The lines of the change logs above, unpacked by gzip.
inline std::vector<std::string> ReadChangeLogLines() {
    std::string text;
    for (const char* path : kChangeLogs) {
        std::FILE* pipe = popen((std::string("gzip -dc '") + path + "' 2>/dev/null").c_str(), "r");
        if (pipe == nullptr) continue;
        char buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
        pclose(pipe);
        text += '\n';
    }
    return SplitLines(text);
}
