// libthai's sequence rules and its dictionary trie behind the small interface
// of thai_text.h. The trie is opened once, on first use.
#include "thai_text.h"

#include <datrie/trie.h>
#include <thai/thinp.h>
#include <thai/thwchar.h>

#include "thai_trigram_table.h"

#include <array>
#include <cmath>
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

// Walks on from `state` through options[i, count), calling `found` for each
// word end; `chosen` holds the characters picked so far.
void WalkAmong(TrieState* state, const std::u32string* options, size_t count, size_t i,
               size_t start, std::u32string* chosen, size_t* left,
               const std::function<void(size_t, std::u32string_view)>& found) {
    if (i >= count || *left == 0) return;
    const std::u32string& here = options[i];
    for (size_t k = 0; k < here.size() && *left > 0; ++k) {
        const char32_t c = here[k];
        if (!chosen->empty() && !IsThaiPairValid(chosen->back(), c)) continue;
        TrieState* next = here.size() == 1 ? state : trie_state_clone(state);
        if (trie_state_walk(next, static_cast<AlphaChar>(c))) {
            chosen->push_back(c);
            if (trie_state_is_terminal(next)) {
                found(i - start + 1, *chosen);
                --*left;
            }
            WalkAmong(next, options, count, i + 1, start, chosen, left, found);
            chosen->pop_back();
        }
        if (next != state) trie_state_free(next);
        if (here.size() == 1) break;
    }
}

// Letter pairs of the dictionary's words: index 0 stands for a word's edge,
// 1 + (c - U+0E00) for a Thai character.
constexpr size_t kPairSide = 1 + 0x80;

size_t PairIndex(char32_t c) {
    return c >= 0x0E00 && c < 0x0E80 ? 1 + (c - 0x0E00) : 0;
}

struct PairCounts {
    std::vector<uint32_t> pairs = std::vector<uint32_t>(kPairSide * kPairSide, 0);
    std::array<uint64_t, kPairSide> firsts{};
};

Bool CountWordPairs(const AlphaChar* key, TrieData, void* data) {
    auto* counts = static_cast<PairCounts*>(data);
    size_t previous = 0;
    for (const AlphaChar* p = key; *p; ++p) {
        const size_t next = PairIndex(*p);
        ++counts->pairs[previous * kPairSide + next];
        ++counts->firsts[previous];
        previous = next;
    }
    ++counts->pairs[previous * kPairSide];
    ++counts->firsts[previous];
    return TRUE;
}

// log P(next | previous), from every word of the dictionary, built once.
const std::vector<float>& PairLogLikelihoods() {
    static const std::vector<float> table = [] {
        PairCounts counts;
        if (const Trie* trie = Dictionary()) trie_enumerate(trie, CountWordPairs, &counts);
        std::vector<float> logs(kPairSide * kPairSide);
        for (size_t a = 0; a < kPairSide; ++a) {
            for (size_t b = 0; b < kPairSide; ++b) {
                const double n = counts.pairs[a * kPairSide + b] + 0.1;
                logs[a * kPairSide + b] =
                    static_cast<float>(std::log(n / (counts.firsts[a] + 0.1 * kPairSide)));
            }
        }
        return logs;
    }();
    return table;
}

// The trigram model: symbol 0 for anything not Thai, 1 to 0x5B for Thai.
constexpr size_t kSymbols = 0x5C;

size_t SymbolOf(char32_t c) { return c >= 0x0E01 && c <= 0x0E5B ? c - 0x0E00 : 0; }

// log P(c | a, b) for every (a, b, c), worked out once from the counts:
// 0.7 of the trigram estimate, 0.25 of the bigram one, the rest unigram and a
// floor, each share handed down when its context was never seen.
const std::vector<float>& TrigramLogLikelihoods() {
    static const std::vector<float> table = [] {
        std::vector<double> tri(kSymbols * kSymbols * kSymbols, 0), bi(kSymbols * kSymbols, 0),
            uni(kSymbols, 0), triContext(kSymbols * kSymbols, 0), biContext(kSymbols, 0);
        double total = 0;
        for (const ThaiTrigramCount& t : kThaiTrigramCounts) {
            tri[(t.first * kSymbols + t.second) * kSymbols + t.third] += t.count;
            triContext[t.first * kSymbols + t.second] += t.count;
            bi[t.second * kSymbols + t.third] += t.count;
            biContext[t.second] += t.count;
            uni[t.third] += t.count;
            total += t.count;
        }
        std::vector<float> logs(tri.size());
        for (size_t a = 0; a < kSymbols; ++a) {
            for (size_t b = 0; b < kSymbols; ++b) {
                for (size_t c = 0; c < kSymbols; ++c) {
                    const double pUni = 0.99 * uni[c] / total + 0.01 / kSymbols;
                    const double pBi = biContext[b] > 0 ? 0.8 * bi[b * kSymbols + c] / biContext[b] + 0.2 * pUni : pUni;
                    const double context = triContext[a * kSymbols + b];
                    const double p = context > 0
                                         ? 0.7 * tri[(a * kSymbols + b) * kSymbols + c] / context + 0.3 * pBi
                                         : pBi;
                    logs[(a * kSymbols + b) * kSymbols + c] = static_cast<float>(std::log(p));
                }
            }
        }
        return logs;
    }();
    return table;
}

}  // namespace

double ThaiTrigramLogLikelihood(char32_t first, char32_t second, char32_t next) {
    return TrigramLogLikelihoods()[(SymbolOf(first) * kSymbols + SymbolOf(second)) * kSymbols + SymbolOf(next)];
}

double ThaiPairLogLikelihood(char32_t previous, char32_t next) {
    return PairLogLikelihoods()[PairIndex(previous) * kPairSide + PairIndex(next)];
}

void FindThaiDictionaryWordsAmong(const std::u32string* options, size_t count, size_t start,
                                  size_t limit,
                                  const std::function<void(size_t, std::u32string_view)>& found) {
    const Trie* trie = Dictionary();
    if (!trie || start >= count) return;
    TrieState* state = trie_root(trie);
    std::u32string chosen;
    size_t left = limit;
    WalkAmong(state, options, count, start, start, &chosen, &left, found);
    trie_state_free(state);
}

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
    // One walking state per thread, rewound for each call.
    thread_local TrieState* const state = trie_root(trie);
    trie_state_rewind(state);
    size_t found = 0;
    for (size_t i = start; i < text.size(); ++i) {
        if (!trie_state_walk(state, static_cast<AlphaChar>(text[i]))) break;
        if (trie_state_is_terminal(state)) {
            lengths[found++] = i - start + 1;
            if (found == capacity) break;
        }
    }
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

size_t CountThaiWordCoverage(std::u32string_view text) { return CountThaiWordCoverage(text, 1); }

size_t CountThaiWordCoverage(std::u32string_view text, size_t minLength) {
    // best[i]: the most characters of text[0, i) that whole words can cover.
    std::vector<size_t> best(text.size() + 1, 0);
    size_t lengths[64];
    for (size_t i = 0; i < text.size(); ++i) {
        if (best[i + 1] < best[i]) best[i + 1] = best[i];
        const size_t n = FindThaiDictionaryWords(text, i, lengths, 64);
        for (size_t k = 0; k < n; ++k) {
            if (lengths[k] < minLength) continue;
            const size_t end = i + lengths[k];
            if (best[end] < best[i] + lengths[k]) best[end] = best[i] + lengths[k];
        }
    }
    return best[text.size()];
}

ThaiWordSplit SplitThaiWords(std::u32string_view text, size_t minLength) {
    // best[i]: the best split of text[0, i), most covered then fewest words.
    std::vector<ThaiWordSplit> best(text.size() + 1);
    auto better = [](const ThaiWordSplit& a, const ThaiWordSplit& b) {
        return a.covered > b.covered || (a.covered == b.covered && a.words < b.words);
    };
    size_t lengths[64];
    for (size_t i = 0; i < text.size(); ++i) {
        if (better(best[i], best[i + 1])) best[i + 1] = best[i];
        const size_t n = FindThaiDictionaryWords(text, i, lengths, 64);
        for (size_t k = 0; k < n; ++k) {
            if (lengths[k] < minLength) continue;
            const ThaiWordSplit split{best[i].covered + lengths[k], best[i].words + 1};
            if (better(split, best[i + lengths[k]])) best[i + lengths[k]] = split;
        }
    }
    return best[text.size()];
}
