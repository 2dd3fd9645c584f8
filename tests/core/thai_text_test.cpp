// The Thai plausibility checks against libthai's rules and dictionary.
#include "thai_text.h"

#include <gtest/gtest.h>

TEST(ThaiText, SpellingFollowsTheInputSequenceRules) {
    struct Case {
        const char32_t* text;
        bool valid;
    } cases[] = {
        {U"สวัสดี", true},
        {U"น้ำ", true},
        {U"hello", true},
        {U"\u0E48", false},            // a tone mark with nothing under it
        {U"a\u0E48", false},           // a tone mark on a Latin letter
        {U"ก\u0E48\u0E48", false},     // two tone marks stacked
        {U"ก\u0E34\u0E35", false},     // two upper vowels stacked
        {U"เ", true},                  // a leading vowel alone may still be typed
    };
    for (const Case& c : cases) EXPECT_EQ(IsThaiSpellingValid(c.text), c.valid) << "case " << (&c - cases);
}

TEST(ThaiText, DictionaryWordsAndCoverage) {
    ASSERT_TRUE(HasThaiDictionary());
    EXPECT_TRUE(IsThaiDictionaryWord(U"ภาษา"));
    EXPECT_TRUE(IsThaiDictionaryWord(U"ไทย"));
    EXPECT_FALSE(IsThaiDictionaryWord(U"ษาไท"));
    EXPECT_FALSE(IsThaiDictionaryWord(U""));
    EXPECT_EQ(CountThaiWordCoverage(U"ภาษาไทย"), 7u);
    EXPECT_EQ(CountThaiWordCoverage(U"ภาษาxไทย"), 7u);
    EXPECT_EQ(CountThaiWordCoverage(U"ฟฟฟฟ"), 0u);
    EXPECT_EQ(CountThaiWordCoverage(U"hello"), 0u);
}

TEST(ThaiText, StrictSpellingRefusesWhatTheBasicCheckLetsPass) {
    struct Case {
        const char32_t* text;
        bool basic, strict;
    } cases[] = {
        {U"สวัสดี", true, true},
        {U"ไม่", true, true},
        {U"แำ", true, false},   // a vowel right after a leading vowel
        {U"ำก", true, false},   // a following vowel with no consonant before it
        {U"เเก", true, false},  // two SARA E for SARA AE
        {U"\u0E48", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsThaiSpellingValid(c.text), c.basic) << "case " << (&c - cases);
        EXPECT_EQ(IsThaiSpellingStrict(c.text), c.strict) << "case " << (&c - cases);
    }
}

TEST(ThaiText, FewestWordsOfAWholeSplit) {
    EXPECT_EQ(CountThaiWordsOfFullSplit(U"กระดาษ"), 1u);
    EXPECT_EQ(CountThaiWordsOfFullSplit(U"ภาษาไทย"), 2u);
    EXPECT_EQ(CountThaiWordsOfFullSplit(U"สวัสดีครับ"), 2u);
    // No split covers every character: none at all.
    EXPECT_EQ(CountThaiWordsOfFullSplit(U"ษาไท"), 0u);
    EXPECT_EQ(CountThaiWordsOfFullSplit(U"ภาษาxไทย"), 0u);
    EXPECT_EQ(CountThaiWordsOfFullSplit(U""), 0u);
}
