// What the repair asks of thai_text.h beyond the basic checks: the trie of our
// own against libdatrie's, dictionary words among candidate characters, the
// split with the fewest words, and the two letter models.
#include <datrie/trie.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "thai_text.h"

namespace {

// The word ends from `start` by libdatrie's own walk, as thai_text.cpp once did.
std::vector<size_t> WordEndsByLibdatrie(const Trie* trie, const std::u32string& text, size_t start) {
    std::vector<size_t> lengths;
    TrieState* state = trie_root(trie);
    for (size_t i = start; i < text.size(); ++i) {
        if (!trie_state_walk(state, static_cast<AlphaChar>(text[i]))) break;
        if (trie_state_is_terminal(state)) lengths.push_back(i - start + 1);
    }
    trie_state_free(state);
    return lengths;
}

TEST(ThaiStatistics, OwnTrieFindsWhatLibdatrieFinds) {
    const char* dir = std::getenv("LIBTHAI_DICTDIR");
    const std::string path = std::string(dir && *dir ? dir : "/usr/share/libthai") + "/thbrk.tri";
    Trie* trie = trie_new_from_file(path.c_str());
    ASSERT_NE(trie, nullptr);
    // Real words run together, with random Thai letters and ASCII between them.
    const char32_t* const kPieces[] = {U"ภาษา", U"ไทย", U"การ", U"ทำงาน", U"เธอ", U"สวัสดี", U"ครับ",
                                       U"ก", U"า", U"ๆ", U" ", U"x", U"\u0E7F", U"\u0E00"};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::u32string text;
        for (int k = 0; k < 20; ++k) text += kPieces[random() % std::size(kPieces)];
        for (size_t start = 0; start < text.size(); ++start) {
            size_t lengths[64];
            const size_t n = FindThaiDictionaryWords(text, start, lengths, 64);
            EXPECT_EQ(std::vector<size_t>(lengths, lengths + n), WordEndsByLibdatrie(trie, text, start));
        }
    }
    trie_free(trie);
}

TEST(ThaiStatistics, WordsAmongCandidates) {
    // ?า? with candidates for both ends: การ and ขาย are words, กาย too.
    const std::vector<std::u32string> options = {U"กขฆ", U"า", U"รยฬ"};
    std::vector<std::u32string> words;
    FindThaiDictionaryWordsAmong(options.data(), options.size(), 0, 100,
                                 [&](size_t length, std::u32string_view chosen) {
                                     EXPECT_EQ(chosen.size(), length);
                                     words.emplace_back(chosen);
                                 });
    auto has = [&](const std::u32string& w) {
        for (const auto& x : words) {
            if (x == w) return true;
        }
        return false;
    };
    EXPECT_TRUE(has(U"การ"));
    EXPECT_TRUE(has(U"ขาย"));
    EXPECT_FALSE(has(U"ฆาฬ"));
    // The limit stops the search.
    size_t found = 0;
    FindThaiDictionaryWordsAmong(options.data(), options.size(), 0, 1,
                                 [&](size_t, std::u32string_view) { ++found; });
    EXPECT_EQ(found, 1u);
}

TEST(ThaiStatistics, SplitCoversMostWithFewestWords) {
    const ThaiWordSplit split = SplitThaiWords(U"ภาษาไทย", 2);
    EXPECT_EQ(split.covered, 7u);
    EXPECT_EQ(split.words, 2u);
    // Words shorter than the least length do not count.
    EXPECT_EQ(SplitThaiWords(U"ก ก ก", 2).covered, 0u);
    EXPECT_EQ(SplitThaiWords(U"hello", 1).covered, 0u);
}

TEST(ThaiStatistics, LetterModelsPreferRealThai) {
    // After ก and า, ร (การ) is far likelier than ฬ.
    EXPECT_GT(ThaiTrigramLogLikelihood(U'ก', U'า', U'ร'), ThaiTrigramLogLikelihood(U'ก', U'า', U'ฬ') + 2);
    // A tone mark after a space is less likely than after a consonant.
    EXPECT_GT(ThaiTrigramLogLikelihood(0, U'ก', U'่'), ThaiTrigramLogLikelihood(0, U' ', U'่'));
    EXPECT_LT(ThaiTrigramLogLikelihood(U'ฃ', U'ฅ', U'ฦ'), 0.0);
    EXPECT_GT(ThaiPairLogLikelihood(U'ก', U'า'), ThaiPairLogLikelihood(U'ฆ', U'ฌ'));
}

}  // namespace
