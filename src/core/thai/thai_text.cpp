// libthai's sequence rules and its dictionary trie behind the small interface
// of thai_text.h. The trie is opened once, on first use.
#include "thai_text.h"

#include <datrie/trie.h>
#include <thai/thinp.h>
#include <thai/thwchar.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The TIS-620 byte libthai's rules take for a character: Thai as its byte,
// ASCII as itself, anything else as a plain letter.
thchar_t RuleByte(char32_t c) {
    if (c < 0x80) return static_cast<thchar_t>(c);
    if (c >= 0x0E01 && c <= 0x0E5B) return static_cast<thchar_t>(c - 0x0E00 + 0xA0);
    return 'a';
}

std::string DictionaryPath() {
    const char* dir = std::getenv("LIBTHAI_DICTDIR");
    return std::string(dir && *dir ? dir : "/usr/share/libthai") + "/thbrk.tri";
}

const Trie* Dictionary() {
    static Trie* const trie = trie_new_from_file(DictionaryPath().c_str());
    return trie;
}

}  // namespace

bool IsThaiPairValid(char32_t previous, char32_t next) {
    return th_isaccept(RuleByte(previous), RuleByte(next), ISC_BASICCHECK) != 0;
}

bool IsThaiSpellingValid(std::u32string_view text) {
    char32_t previous = U' ';
    for (char32_t c : text) {
        if (!IsThaiPairValid(previous, c)) return false;
        previous = c;
    }
    return true;
}

bool HasThaiDictionary() { return Dictionary() != nullptr; }

size_t FindThaiDictionaryWords(std::u32string_view text, size_t start, size_t* lengths, size_t capacity) {
    const Trie* trie = Dictionary();
    if (!trie || capacity == 0) return 0;
    TrieState* state = trie_root(trie);
    size_t found = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (!trie_state_walk(state, static_cast<AlphaChar>(text[i]))) break;
        if (trie_state_is_terminal(state)) {
            lengths[found++] = i - start + 1;
            if (found == capacity) break;
        }
    }
    trie_state_free(state);
    return found;
}

bool IsThaiDictionaryWord(std::u32string_view word) {
    if (word.empty()) return false;
    size_t lengths[64];
    const size_t n = FindThaiDictionaryWords(word, 0, lengths, 64);
    for (size_t i = 0; i < n; ++i) {
        if (lengths[i] == word.size()) return true;
    }
    return false;
}

size_t CountThaiWordCoverage(std::u32string_view text) {
    // best[i]: the most characters of text[0, i) that whole words can cover.
    std::vector<size_t> best(text.size() + 1, 0);
    size_t lengths[64];
    for (size_t i = 0; i < text.size(); ++i) {
        if (best[i + 1] < best[i]) best[i + 1] = best[i];
        const size_t n = FindThaiDictionaryWords(text, i, lengths, 64);
        for (size_t k = 0; k < n; ++k) {
            const size_t end = i + lengths[k];
            if (best[end] < best[i] + lengths[k]) best[end] = best[i] + lengths[k];
        }
    }
    return best[text.size()];
}

bool IsThaiSpellingStrict(std::u32string_view text) {
    char32_t previous = U' ';
    for (char32_t c : text) {
        if (th_isaccept(RuleByte(previous), RuleByte(c), ISC_STRICT) == 0) return false;
        previous = c;
    }
    return true;
}

size_t CountThaiWordsOfFullSplit(std::u32string_view text) {
    if (text.empty()) return 0;
    // fewest[i]: the fewest words that make up text[0, i) exactly, 0 for none.
    constexpr size_t kNone = 0;
    std::vector<size_t> fewest(text.size() + 1, kNone);
    size_t lengths[64];
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && fewest[i] == kNone) continue;
        const size_t n = FindThaiDictionaryWords(text, i, lengths, 64);
        for (size_t k = 0; k < n; ++k) {
            size_t& end = fewest[i + lengths[k]];
            if (end == kNone || end > fewest[i] + 1) end = fewest[i] + 1;
        }
    }
    return fewest[text.size()];
}
