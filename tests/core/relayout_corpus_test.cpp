// relayout --auto on real text: Thai lines of the Thai catalogues and English
// lines of their originals, as they are (nothing may change) and garbled as if
// typed with the other layout on (the share put back exactly); other
// languages' catalogues and developers' change logs, which must not change. Set
// TOLVANE_RELAYOUT_MISSES to a file name to get the lines it got wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "relayout.h"
#include "relayout_auto.h"
#include "relayout_corpus.h"
#include "utf_text.h"

namespace {

bool HasThai(const std::u16string& s) {
    for (char16_t c : s) {
        if (c >= 0x0E01 && c <= 0x0E5B) return true;
    }
    return false;
}

bool HasAsciiLetter(const std::u16string& s) {
    for (char16_t c : s) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return true;
    }
    return false;
}

bool IsLetter(char16_t c, bool thai) {
    return thai ? c >= 0x0E01 && c <= 0x0E5B : (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The line as typed with the other layout on by a typist who switches for
// what the other layout lacks: each stretch of Thai typed under US, or each
// English word (letters, and an apostrophe between them) under Kedmanee.
// Signs, digits and spaces around them are typed right. (The measure also
// takes the typist who never switches: the whole line key by key.)
std::u16string Garble(const std::u16string& line, bool thaiMeant) {
    std::u16string out(line);
    for (size_t i = 0; i < out.size(); ++i) {
        const bool inWord = IsLetter(out[i], thaiMeant) ||
                            (!thaiMeant && out[i] == u'\'' && i > 0 && i + 1 < out.size() &&
                             IsLetter(line[i - 1], false) && IsLetter(line[i + 1], false));
        if (!inWord) continue;
        out[i] = thaiMeant ? KedmaneeToUsKey(out[i]) : UsKeyToKedmanee(out[i]);
    }
    return out;
}

struct Measure {
    size_t lines = 0;
    size_t changed = 0;   // as they are: lines changed (false changes)
    size_t garbled = 0;   // lines the garbling changed
    size_t restored = 0;  // of those, put back exactly
    size_t prose = 0;     // garbled lines of words and common punctuation only
    size_t proseRestored = 0;
    size_t keyed = 0;     // lines typed key by key, signs and digits too, with the wrong layout
    size_t keyedRestored = 0;
};

// Words of the line's language, spaces and common punctuation, and nothing
// else: no digits, format strings, options, names of functions.
bool IsProse(const std::u16string& line, bool thai) {
    for (char16_t c : line) {
        if (!IsLetter(c, thai) && std::u16string_view(u" ,.;:!?'\"()-").find(c) == std::u16string_view::npos) {
            return false;
        }
    }
    return true;
}

Measure MeasureLines(const std::vector<std::string>& lines, bool thai, std::FILE* misses) {
    Measure m;
    for (const std::string& utf8 : lines) {
        const std::u16string line = Utf16Of(utf8);
        if (thai ? !HasThai(line) : !HasAsciiLetter(line) || HasThai(line)) continue;
        ++m.lines;
        RelayoutCounts counts;
        const std::u16string same = RelayoutLineAuto(line, &counts);
        if (same != line) {
            ++m.changed;
            if (misses) std::fprintf(misses, "FALSE %s\n   -> %s\n", utf8.c_str(), Utf8Of(same).c_str());
        }
        // Every character typed with the wrong layout, where the mapping is a
        // round trip for the line (Thai with no ASCII but Kedmanee's signs).
        std::u16string keyed(line), keyedBack(line);
        if (thai) {
            KedmaneeKeysToUs(line.data(), line.size(), keyed.data());
            UsKeysToKedmanee(keyed.data(), keyed.size(), keyedBack.data());
        } else {
            UsKeysToKedmanee(line.data(), line.size(), keyed.data());
            KedmaneeKeysToUs(keyed.data(), keyed.size(), keyedBack.data());
        }
        if (keyedBack == line && keyed != line) {
            ++m.keyed;
            m.keyedRestored += RelayoutLineAuto(keyed, &counts) == line;
        }
        const std::u16string garbled = Garble(line, thai);
        if (garbled == line) continue;
        ++m.garbled;
        const bool prose = IsProse(line, thai);
        m.prose += prose;
        const std::u16string back = RelayoutLineAuto(garbled, &counts);
        if (back == line) {
            ++m.restored;
            m.proseRestored += prose;
        } else if (misses) {
            std::fprintf(misses, "MISS  %s\n   in %s\n  got %s\n", utf8.c_str(), Utf8Of(garbled).c_str(),
                         Utf8Of(back).c_str());
        }
    }
    return m;
}

double Percent(size_t part, size_t whole) {
    return whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

void Print(const char* what, const Measure& m) {
    std::printf("%s: %zu lines, %zu changed as they are; %zu garbled, %zu put back exactly (%.1f%%); "
                "of them %zu of plain words, %zu put back (%.1f%%); %zu typed key by key, %zu put back "
                "(%.1f%%)\n",
                what, m.lines, m.changed, m.garbled, m.restored, Percent(m.restored, m.garbled), m.prose,
                m.proseRestored, Percent(m.proseRestored, m.prose), m.keyed, m.keyedRestored,
                Percent(m.keyedRestored, m.keyed));
}

class RelayoutCorpus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadRelayoutJudges(&error)) << error;
        const char* path = std::getenv("TOLVANE_RELAYOUT_MISSES");
        if (path && *path) misses_ = std::fopen(path, "a");
    }
    void TearDown() override {
        if (misses_) std::fclose(misses_);
    }
    std::FILE* misses_ = nullptr;
};

}  // namespace

TEST_F(RelayoutCorpus, OtherLanguagesStay) {
    // Latin, Cyrillic and Japanese text: none of it is Thai or English, and
    // none of it may change.
    size_t lines = 0, changed = 0;
    for (const char* language : {"de", "fr", "es", "it", "pt_BR", "nl", "pl", "id", "vi", "tr", "sv", "cs",
                                 "ja", "ru"}) {
        for (const std::string& utf8 : ReadCatalogLines(language, false)) {
            const std::u16string line = Utf16Of(utf8);
            RelayoutCounts counts;
            const std::u16string same = RelayoutLineAuto(line, &counts);
            ++lines;
            if (same == line) continue;
            ++changed;
            if (misses_) std::fprintf(misses_, "FALSE %s %s\n   -> %s\n", language, utf8.c_str(), Utf8Of(same).c_str());
        }
    }
    std::printf("Other languages: %zu lines, %zu changed\n", lines, changed);
    EXPECT_GT(lines, 50000u);
    EXPECT_EQ(changed, 0u);
}

TEST_F(RelayoutCorpus, ChangeLogsStay) {
    size_t lines = 0, changed = 0;
    for (const std::string& utf8 : ReadChangeLogLines()) {
        const std::u16string line = Utf16Of(utf8);
        if (line.empty()) continue;  // not UTF-8
        RelayoutCounts counts;
        const std::u16string same = RelayoutLineAuto(line, &counts);
        ++lines;
        if (same == line) continue;
        ++changed;
        if (misses_) std::fprintf(misses_, "FALSE %s\n   -> %s\n", utf8.c_str(), Utf8Of(same).c_str());
    }
    std::printf("Change logs: %zu lines, %zu changed\n", lines, changed);
    EXPECT_GT(lines, 200000u) << "the change logs are missing: run scripts/setup.sh";
    EXPECT_EQ(changed, 0u);
}

TEST_F(RelayoutCorpus, ThaiCataloguesStayAndComeBack) {
    const std::vector<std::string> lines = ReadCatalogLines("th", false);
    ASSERT_GT(lines.size(), 3000u) << "the Thai catalogues are missing: run scripts/setup.sh";
    const Measure m = MeasureLines(lines, true, misses_);
    Print("Thai", m);
    EXPECT_EQ(m.changed, 0u);
    // Floors a little under what it reaches, so that a change that loses
    // lines shows.
    EXPECT_GE(m.restored * 100, m.garbled * 74);
    EXPECT_GE(m.proseRestored * 100, m.prose * 75);
    EXPECT_GE(m.keyedRestored * 100, m.keyed * 70);
}

TEST_F(RelayoutCorpus, EnglishOriginalsStayAndComeBack) {
    const std::vector<std::string> lines = ReadCatalogLines("th", true);
    ASSERT_GT(lines.size(), 3000u) << "the Thai catalogues are missing: run scripts/setup.sh";
    const Measure m = MeasureLines(lines, false, misses_);
    Print("English", m);
    EXPECT_EQ(m.changed, 0u);
    // Most originals that are not plain words hold names of functions,
    // options and format strings, which are no words of the list.
    EXPECT_GE(m.restored * 100, m.garbled * 43);
    EXPECT_GE(m.proseRestored * 100, m.prose * 74);
    EXPECT_GE(m.keyedRestored * 100, m.keyed * 68);
}
