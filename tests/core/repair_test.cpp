// The repair of garbled Thai: a fixture per kind, the round trips of every
// kind over real Thai from the message catalogues, and the guard that leaves
// clean Thai and other languages' real text alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "catalogue_corpus.h"
#include "garble.h"
#include "repair.h"
#include "utf8.h"

namespace {

struct Fixture {
    const char* name;
    const char* garbled;
    const char* repaired;
    RepairKind kind;
    size_t lost;
};

// สวัสดี and other short words the ways they arrive garbled.
const Fixture kFixtures[] = {
    {"cp874 as windows-1252", "ÊÇÑÊ´Õ", "สวัสดี", kRepairCp874AsLatin1, 0},
    {"cp874 as windows-1250", "ĘÇŃĘ´Ő", "สวัสดี", kRepairCp874AsOtherPage, 0},
    {"cp874 as windows-1250, tone mark", "ąéÍ§ľĂ", "น้องพร", kRepairCp874AsOtherPage, 0},
    {"cp874 as windows-1251", "КЗСКґХ¤иР ·ШЎ¤№", "สวัสดีค่ะ ทุกคน", kRepairCp874AsOtherPage, 0},
    {"cp874 as windows-1257, U+FFFD for ก", "\uFFFDŅĆ·Ó§Ņ¹", "การทำงาน", kRepairCp874AsOtherPage, 0},
    {"utf-8 as cp874", "เธชเธงเธฑเธชเธ”เธต", "สวัสดี", kRepairUtf8AsCp874, 0},
    {"utf-8 as cp874, C1 controls", "เน\u0081เธ\u0088เน\u0089เธ\u0087", "แจ้ง", kRepairUtf8AsCp874, 0},
    {"utf-8 as windows-1252", "à¸ªà¸§à¸±à¸ªà¸”à¸µ", "สวัสดี", kRepairUtf8AsLatin1, 0},
    {"utf-8 as windows-1252 twice", "Ã\u00A0Â¸ÂªÃ\u00A0Â¸Â§Ã\u00A0Â¸Â±Ã\u00A0Â¸ÂªÃ\u00A0Â¸â€\u009DÃ\u00A0Â¸Âµ", "สวัสดี",
     kRepairUtf8AsLatin1Twice, 0},
    {"utf-8 as cp874, U+FFFD", "เธ�เธฒเธฃ", "การ", kRepairUtf8AsCp874Lossy, 0},
    {"utf-8 as cp874, bytes dropped", "เธ\u00A0เธฒเธฉเธฒเนเธ—เธข", "ภาษาไทย", kRepairUtf8AsCp874Lossy, 0},
    {"utf-8 as cp874, U+FFFD, word decides", "เธ\u00A0เธฒเธฉเธฒเน\uFFFDเธ—เธข", "ภาษาไทย",
     kRepairUtf8AsCp874Lossy, 0},
    {"ascii around the garbled run", "Tolvane: ÊÇÑÊ´Õ (2024)", "Tolvane: สวัสดี (2024)",
     kRepairCp874AsLatin1, 0},
};

TEST(RepairLine, RepairsEachKind) {
    for (const Fixture& f : kFixtures) {
        const RepairedLine r = RepairLine(f.garbled);
        EXPECT_EQ(r.kind, f.kind) << f.name;
        EXPECT_EQ(r.text, f.repaired) << f.name;
        EXPECT_EQ(r.lost, f.lost) << f.name;
    }
}

// Text that must stand as it is: clean Thai, other languages, what looks like
// a garbling but does not read as Thai.
TEST(RepairLine, LeavesRealTextAlone) {
    const char* const kClean[] = {
        "",
        "plain ASCII, nothing to do",
        "สวัสดีครับ เธอชื่ออะไร",
        "เน้นเนื้อหา เนตรนารี",
        "répertoire",
        "Ça va? À bientôt, garçon.",
        "Příliš žluťoučký kůň úpěl ďábelské ódy",
        "ąę zażółć gęślą jaźń",
        "Съешь же ещё этих мягких французских булок",
        "Ξεσκεπάζω την ψυχοφθόρα βδελυγμία",
        "Pijamalı hasta yağız şoföre çabucak güvendi",
        "Tiếng Việt có dấu",
        "Ã© is é read twice",
        "\xEF\xBF\xBD alone",
    };
    for (const char* line : kClean) {
        const RepairedLine r = RepairLine(line);
        EXPECT_EQ(r.kind, kRepairNone) << line << " became " << r.text;
    }
}

TEST(RepairLine, InvalidUtf8StandsAsItIs) {
    for (const char* line : {"\xFF\xFE", "\xE0\xB8", "caf\xE9", "\xC3\x28"}) {
        EXPECT_EQ(RepairLine(line).kind, kRepairNone);
    }
}

// The quick test against its definition, written plainly: only ASCII and
// assigned Thai, and after เธ or เน only Thai from U+0E20 on other than เ.
bool IsCleanByDefinition(const std::string& line) {
    std::u32string text;
    std::vector<char16_t> units(line.size() + 1);
    const Utf8Decoded d = Utf8ToUtf16(reinterpret_cast<const unsigned char*>(line.data()), line.size(),
                                      true, units.data());
    if (d.invalid) return false;
    for (size_t i = 0; i < d.written; ++i) {
        const char32_t c = units[i];
        const bool thai = c >= 0x0E01 && c <= 0x0E5B && !(c >= 0x0E3B && c <= 0x0E3E);
        if (c >= 0x80 && !thai) return false;
        text.push_back(c);
    }
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'เ' || (text[i + 1] != U'ธ' && text[i + 1] != U'น')) continue;
        if (i + 2 >= text.size() || text[i + 2] < 0x0E20 || text[i + 2] == U'เ') return false;
    }
    return true;
}

TEST(RepairLine, QuickCleanTestMatchesItsDefinition) {
    const char* const kPieces[] = {
        "a", " ", "abcdefghijklmnop", "สวัสดี", "เธอ", "เน้น", "เธช", "เน\u0081", "เธ", "เน", "เ",
        "\u0E3B", "\u0E5C", "\u0E00", "\u0E7F", "ก", "é", "\uFFFD", "\xE0\xB8", "\xB8", "\xE0",
    };
    std::mt19937 random(1);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const int pieces = static_cast<int>(random() % 16);
        for (int k = 0; k < pieces; ++k) line += kPieces[random() % std::size(kPieces)];
        EXPECT_EQ(IsLineCertainlyClean(line), IsCleanByDefinition(line)) << line;
    }
}

// A way of garbling and the kind that undoes it.
struct Garbling {
    const char* name;
    RepairKind kind;
    std::string (*garble)(std::string_view);
};

const Garbling kGarblings[] = {
    {"cp874 as windows-1252", kRepairCp874AsLatin1,
     [](std::string_view s) { return GarbleCp874Through(s, kPageWindows1252); }},
    {"cp874 as latin-1", kRepairCp874AsLatin1,
     [](std::string_view s) { return GarbleCp874Through(s, kPageLatin1); }},
    {"cp874 as windows-1250", kRepairCp874AsOtherPage,
     [](std::string_view s) { return GarbleCp874Through(s, kPageWindows1250); }},
    {"cp874 as iso-8859-2", kRepairCp874AsOtherPage,
     [](std::string_view s) { return GarbleCp874Through(s, kPageIso8859_2); }},
    {"cp874 as windows-1251", kRepairCp874AsOtherPage,
     [](std::string_view s) { return GarbleCp874Through(s, kPageWindows1251); }},
    {"cp874 as windows-1257", kRepairCp874AsOtherPage,
     [](std::string_view s) { return GarbleCp874Through(s, kPageWindows1257); }},
    {"cp874 as 1257, U+FFFD", kRepairCp874AsOtherPage,
     [](std::string_view s) { return GarbleCp874ThroughLossy(s, kPageWindows1257); }},
    {"utf-8 as cp874", kRepairUtf8AsCp874,
     [](std::string_view s) { return GarbleUtf8Through(s, kPageWindows874); }},
    {"utf-8 as windows-1252", kRepairUtf8AsLatin1,
     [](std::string_view s) { return GarbleUtf8Through(s, kPageWindows1252); }},
    {"utf-8 as latin-1", kRepairUtf8AsLatin1,
     [](std::string_view s) { return GarbleUtf8Through(s, kPageLatin1); }},
    {"utf-8 as windows-1252 twice", kRepairUtf8AsLatin1Twice,
     [](std::string_view s) {
         return GarbleUtf8Through(GarbleUtf8Through(s, kPageWindows1252), kPageWindows1252);
     }},
};

const std::vector<std::string>& Corpus() {
    static const std::vector<std::string> corpus = ThaiCorpus();
    return corpus;
}

// Every lossless kind over the whole corpus: the share of lines repaired
// exactly, printed (also on the lines the trigram table was not made from,
// since it helps to judge the readings), and held to a floor.
TEST(RepairCorpus, LosslessKindsRoundTrip) {
    ASSERT_GT(Corpus().size(), 1000u) << "the Thai catalogues are missing: run scripts/setup.sh";
    for (const Garbling& g : kGarblings) {
        size_t exact = 0, wrong = 0, untouched = 0, heldBack = 0, heldBackExact = 0;
        std::string example;
        for (const std::string& line : Corpus()) {
            const RepairedLine r = RepairLine(g.garble(line));
            const bool held = IsHeldOutLine(line);
            heldBack += held;
            if (r.kind == g.kind && r.text == line) {
                ++exact;
                heldBackExact += held;
            } else if (r.kind == kRepairNone) {
                ++untouched;
            } else {
                ++wrong;
                if (example.empty()) example = line + " -> " + r.text;
            }
        }
        const double share = 100.0 * exact / Corpus().size();
        std::printf("%-28s %5zu lines: %6.2f%% exact (%6.2f%% of the %zu held back), %zu left, %zu other\n",
                    g.name, Corpus().size(), share, 100.0 * heldBackExact / heldBack, heldBack, untouched,
                    wrong);
        EXPECT_GE(share, 80.0) << g.name << "; for example " << example;
    }
}

// Kind 6, U+FFFD and dropped bytes, on the lines that the trigram table was
// not made from: how many lost characters come back right, how many wrong,
// how many stay U+FFFD.
TEST(RepairCorpus, LossyKindRestoresMostCharacters) {
    for (bool replace : {true, false}) {
        size_t lostTotal = 0, restored = 0, guessedWrong = 0, left = 0, chars = 0, right = 0;
        size_t lines = 0, exact = 0;
        for (const std::string& line : Corpus()) {
            if (!IsHeldOutLine(line)) continue;
            const std::string garbled = GarbleUtf8ThroughCp874Lossy(line, replace);
            const std::string intact = GarbleUtf8Through(line, kPageWindows874);
            if (garbled == intact) continue;  // nothing was lost
            ++lines;
            const RepairedLine r = RepairLine(garbled);
            // Compare character by character: a lost character is one of
            // the original that the garbling turned into U+FFFD or nothing.
            std::u32string original, repaired;
            for (auto [from, to] : {std::pair{&line, &original}, std::pair{&r.text, &repaired}}) {
                std::vector<char16_t> units(from->size() + 1);
                const Utf8Decoded d = Utf8ToUtf16(reinterpret_cast<const unsigned char*>(from->data()),
                                                  from->size(), true, units.data());
                to->assign(units.begin(), units.begin() + d.written);
            }
            std::u32string lostMask;  // 1 where the original's character was lost
            for (char32_t c : original) {
                char16_t u = static_cast<char16_t>(c);
                unsigned char bytes[3];
                const size_t n = Utf16ToUtf8(&u, 1, bytes);
                const std::string one(reinterpret_cast<char*>(bytes), n);
                lostMask.push_back(GarbleUtf8ThroughCp874Lossy(one, true) != GarbleUtf8Through(one, kPageWindows874));
            }
            chars += original.size();
            for (size_t i = 0; i < original.size(); ++i) lostTotal += lostMask[i];
            if (r.kind == kRepairNone || repaired.size() != original.size()) {
                for (size_t i = 0; i < original.size(); ++i) left += lostMask[i];
                continue;
            }
            exact += repaired == original;
            for (size_t i = 0; i < original.size(); ++i) {
                right += repaired[i] == original[i];
                if (!lostMask[i]) continue;
                if (repaired[i] == original[i]) ++restored;
                else if (repaired[i] == 0xFFFD) ++left;
                else ++guessedWrong;
            }
        }
        const double restoredShare = 100.0 * restored / lostTotal;
        std::printf(
            "utf-8 as cp874, %s: %zu held-back lines, %.2f%% exact; %zu lost characters (%.1f%% of "
            "%zu): %.2f%% restored, %.2f%% wrong, %.2f%% left U+FFFD; %.2f%% of all characters right\n",
            replace ? "U+FFFD" : "dropped", lines, 100.0 * exact / lines, lostTotal,
            100.0 * lostTotal / chars, chars, restoredShare,
            100.0 * guessedWrong / lostTotal, 100.0 * left / lostTotal, 100.0 * right / chars);
        EXPECT_GE(restoredShare, 80.0);
        EXPECT_GE(100.0 * right / chars, 93.0);
    }
}

// Clean Thai from the corpus, and every line of the other languages'
// catalogues, stand as they are.
TEST(RepairCorpus, NoFalseRepairs) {
    size_t falseThai = 0;
    for (const std::string& line : Corpus()) {
        const RepairedLine r = RepairLine(line);
        if (r.kind != kRepairNone) {
            ++falseThai;
            ADD_FAILURE() << line << " -> " << r.text;
        }
    }
    std::printf("clean Thai: %zu lines, %zu changed\n", Corpus().size(), falseThai);
    for (const char* language : {"fr", "cs", "pl", "ru", "el", "tr", "vi"}) {
        const std::vector<std::string> lines = CatalogueLines(language, true);
        EXPECT_GT(lines.size(), 100u) << language;
        size_t changed = 0;
        for (const std::string& line : lines) {
            const RepairedLine r = RepairLine(line);
            if (r.kind != kRepairNone) {
                ++changed;
                ADD_FAILURE() << language << ": " << line << " -> " << r.text;
            }
        }
        std::printf("%s: %zu lines, %zu changed\n", language, lines.size(), changed);
    }
}

}  // namespace
