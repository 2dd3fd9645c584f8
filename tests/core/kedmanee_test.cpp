// The Kedmanee table and the mapping of typed character codes.
#include "cp874_table.h"
#include "kedmanee.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

namespace {

bool IsTis620Thai(int b) { return (b >= 0xA1 && b <= 0xDA) || (b >= 0xDF && b <= 0xFB); }

}  // namespace

TEST(KedmaneeTable, HoldsEveryTypableThaiCharacterOnceAndTenAsciiSigns) {
    static_assert(sizeof(g_kedmaneeTable) == 93, "one entry per code from 33 to 125");
    std::set<int> entries(std::begin(g_kedmaneeTable), std::end(g_kedmaneeTable));
    EXPECT_EQ(entries.size(), 93u) << "two keys give the same character";

    int thai = 0, ascii = 0;
    for (int entry : g_kedmaneeTable) {
        if (IsTis620Thai(entry)) {
            ++thai;
        } else {
            EXPECT_TRUE(entry >= 33 && entry <= 126) << "entry " << entry << " is neither Thai nor ASCII";
            ++ascii;
        }
    }
    EXPECT_EQ(thai, 83);
    EXPECT_EQ(ascii, 10);

    // Of the 87 Thai characters, exactly these four have no key.
    for (int b = 0; b < 256; ++b) {
        if (!IsTis620Thai(b)) continue;
        const bool noKey = b == 0xEE || b == 0xEF || b == 0xFA || b == 0xFB;
        EXPECT_EQ(entries.count(b) == 0, noKey) << "byte 0x" << std::hex << b;
    }
}

TEST(MapKedmaneeKey, MapsExactlyTheCodesFrom33To125ToTheirEntries) {
    // Each key with what a Thai typist sees it type, written out apart from
    // the table: the key, then its character, then a space.
    const std::u16string layout =
        u"!+ \". #๒ $๓ %๔ &฿ 'ง (๖ )๗ *๕ +๙ ,ม "
        u"-ข .ใ /ฝ 0จ 1ๅ 2/ 3- 4ภ 5ถ 6\u0E38 7\u0E36 8ค "
        u"9ต :ซ ;ว <ฒ =ช >ฬ ?ฦ @๑ Aฤ B\u0E3A Cฉ Dฏ "
        u"Eฎ Fโ Gฌ H\u0E47 Iณ J\u0E4B Kษ Lศ M? N\u0E4C Oฯ Pญ "
        u"Q๐ Rฑ Sฆ Tธ U\u0E4A Vฮ W\" X) Y\u0E4D Z( [บ \\ฃ "
        u"]ล ^\u0E39 _๘ `_ aฟ b\u0E34 cแ dก e\u0E33 fด gเ h\u0E49 "
        u"iร j\u0E48 k\u0E32 lส mท n\u0E37 oน pย qๆ rพ sห tะ "
        u"u\u0E35 vอ wไ xป y\u0E31 zผ {ฐ |ฅ }, ";
    ASSERT_EQ(layout.size(), 3u * 93);
    for (size_t i = 0; i < layout.size(); i += 3) {
        const char16_t key = layout[i], typed = layout[i + 1];
        ASSERT_EQ(key, 33 + i / 3) << "the keys run from '!' to '}' in order";
        // The byte view: an ASCII entry is passed on as it is, a Thai one as
        // its code page 874 byte.
        const uint32_t passed = MapKedmaneeKey(key);
        ASSERT_LT(passed, 256u);
        EXPECT_EQ(kCp874ToUtf16[passed], typed) << "key '" << char(key) << "'";
    }
    const struct {
        uint32_t typed, passed;
    } cases[] = {
        {32, 32},             // space, just below the range
        {33, '+'},            // '!', the first code mapped
        {125, ','},           // '}', the last code mapped
        {126, 126},           // '~', just above the range
        {'d', 0xA1},          // KO KAI, zero-extended: never a negative code
        {'D', 0xAF},          // the shifted key gives TO PATAK
        {'2', '/'},           // an ASCII row
        {'W', '"'},           // and '"' is not mapped on to '.'
        {'%', 0xF4},          // typing "%41" gives THAI DIGIT FOUR,
        {'4', 0xC0},          // PHO SAMPHAO
        {'1', 0xE5},          // and LAKKHANGYAO, not an escape
        {0, 0},               // control codes: Ctrl+letter, Tab, Enter, Escape, Backspace
        {1, 1},
        {8, 8},
        {9, 9},
        {13, 13},
        {26, 26},
        {27, 27},
        {127, 127},           // and everything above the range
        {0xE9, 0xE9},         // an accented Latin letter
        {0x0E01, 0x0E01},     // Thai typed under a Thai layout stays Unicode
        {0xD83D, 0xD83D},     // both halves of a surrogate pair
        {0xDE00, 0xDE00},
        {0xFFFF, 0xFFFF},
        {0xFFFFFFFFu, 0xFFFFFFFFu},  // a code below 33 wraps; this one must not
        {0x80000021u, 0x80000021u},  // nor one whose low bits look like '!'
        {0x10021u, 0x10021u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapKedmaneeKey(c.typed), c.passed) << "code 0x" << std::hex << c.typed;
    }
}
