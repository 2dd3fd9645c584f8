// Both directions of the key-by-key mapping: over the whole Kedmanee table,
// as each other's inverse, and on the catalogues' real Thai and English.
#include "relayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "cp874_table.h"
#include "kedmanee_table.h"
#include "relayout_corpus.h"
#include "utf_text.h"

namespace {

std::u16string ToThai(std::u16string text) {
    UsKeysToKedmanee(text.data(), text.size(), text.data());
    return text;
}

std::u16string ToEnglish(std::u16string text) {
    KedmaneeKeysToUs(text.data(), text.size(), text.data());
    return text;
}

bool IsThai(char16_t c) { return c >= 0x0E01 && c <= 0x0E5B; }

}  // namespace

TEST(Relayout, EachKeyOfTheTableBothWays) {
    std::set<char16_t> kedmanee;
    for (char16_t key = 33; key <= 125; ++key) {
        // The key filter's byte, read as Unicode.
        const char16_t thai = kCp874ToUtf16[g_kedmaneeTable[key - 33]];
        EXPECT_EQ(UsKeyToKedmanee(key), thai) << "key " << static_cast<char>(key);
        EXPECT_EQ(KedmaneeToUsKey(thai), key) << "key " << static_cast<char>(key);
        EXPECT_TRUE(IsUsKeyChar(key));
        EXPECT_TRUE(IsKedmaneeKeyChar(thai));
        kedmanee.insert(thai);
    }
    EXPECT_EQ(kedmanee.size(), 93u);
    // Every other unit is left as it is, and counts as no key's, in each direction.
    for (uint32_t c = 0; c <= 0xFFFF; ++c) {
        const char16_t u = static_cast<char16_t>(c);
        if (!IsUsKeyChar(u)) EXPECT_EQ(UsKeyToKedmanee(u), u) << "U+" << std::hex << c;
        if (!kedmanee.count(u)) {
            EXPECT_EQ(KedmaneeToUsKey(u), u) << "U+" << std::hex << c;
            EXPECT_FALSE(IsKedmaneeKeyChar(u)) << "U+" << std::hex << c;
        }
    }
}

TEST(Relayout, WordsAndWhatTheOtherLayoutLacks) {
    const struct {
        const char16_t* us;
        const char16_t* thai;
    } cases[] = {
        {u"l;ylfu", u"สวัสดี"},
        {u"4kKk w,jx", u"ภาษา ไม่ป"},               // K: a shifted key
        {u"Tii, LydfbN", u"ธรรม ศักดิ์"},
        {u"Zlj;omuj.=hX", u"(ส่วนที่ใช้)"},          // Z and X give Kedmanee's brackets
        {u"!\"2 3M W X Z `}", u"+./ -? \" ) ( _,"},   // the ten keys that give ASCII
        {u"#$%&*()+@Q", u"๒๓๔฿๕๖๗๙๑๐"},            // Thai digits and the baht sign
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToThai(c.us), c.thai);
        EXPECT_EQ(ToEnglish(c.thai), c.us);
    }
    // No key types '~' under US; none gives YAMAKKAN, FONGMAN, ANGKHANKHU or
    // KHOMUT under Kedmanee; space, tab, line ends and other scripts pass.
    const std::u16string untouched = u"~ \t\r\n\u0E4E\u0E4F\u0E5A\u0E5B é Ж 日本 \U0001F600";
    EXPECT_EQ(ToThai(untouched), untouched);
    EXPECT_EQ(ToEnglish(untouched), untouched);
}

TEST(Relayout, RoundTripsOnTheCataloguesText) {
    // English: every original line there is, to Thai keys and back.
    const std::vector<std::string> english = ReadCatalogLines("th", true);
    ASSERT_GT(english.size(), 3000u) << "the Thai catalogues are missing: run scripts/setup.sh";
    size_t checked = 0;
    for (const std::string& line : english) {
        const std::u16string text = Utf16Of(line);
        bool thai = false;
        for (char16_t c : text) thai = thai || IsThai(c);
        if (thai) continue;
        const std::u16string typed = ToThai(text);
        EXPECT_EQ(ToEnglish(typed), text) << line;
        ++checked;
    }
    EXPECT_GT(checked, 3000u);
    // Thai: each stretch of Thai characters, to US keys and back.
    checked = 0;
    for (const std::string& line : ReadCatalogLines("th", false)) {
        const std::u16string text = Utf16Of(line);
        for (size_t i = 0; i < text.size();) {
            size_t end = i;
            while (end < text.size() && IsThai(text[end])) ++end;
            if (end == i) {
                ++i;
                continue;
            }
            const std::u16string thai = text.substr(i, end - i);
            const std::u16string typed = ToEnglish(thai);
            for (char16_t c : typed) EXPECT_TRUE(c < 0x80 || !IsKedmaneeKeyChar(c)) << line;
            EXPECT_EQ(ToThai(typed), thai) << line;
            ++checked;
            i = end;
        }
    }
    EXPECT_GT(checked, 5000u);
}
