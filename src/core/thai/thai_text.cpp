// libthai's sequence rules and its dictionary trie behind the small interface
// of thai_text.h. The trie is opened once, on first use, and its words copied
// into a trie of our own that is quicker to walk.
#include "thai_text.h"

#include <datrie/trie.h>
#include <thai/thinp.h>
#include <thai/thwchar.h>

#include "thai_trigram_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
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

// The dictionary's words again, in a trie of our own made from it on first
// use, walked many times faster than through libdatrie's calls: its words are
// all Thai, so a node says which of the 128 characters U+0E00 - U+0E7F go on
// from it in two 64-bit masks, and its children lie side by side in that order.
struct WordNode {
    uint64_t next[2] = {0, 0};
    uint32_t firstChild = 0;
    uint32_t terminal = 0;
};

// The node after `node` by `c`, or 0 (the root, never a child) where no word goes on.
inline uint32_t WalkWord(const std::vector<WordNode>& nodes, uint32_t node, char32_t c) {
    const uint32_t offset = static_cast<uint32_t>(c) - 0x0E00;
    if (offset >= 128) return 0;
    const WordNode& n = nodes[node];
    const uint64_t bit = uint64_t{1} << (offset & 63);
    if (offset < 64) {
        if (!(n.next[0] & bit)) return 0;
        return n.firstChild + static_cast<uint32_t>(std::popcount(n.next[0] & (bit - 1)));
    }
    if (!(n.next[1] & bit)) return 0;
    return n.firstChild + static_cast<uint32_t>(std::popcount(n.next[0]) + std::popcount(n.next[1] & (bit - 1)));
}

Bool CollectWord(const AlphaChar* key, TrieData, void* data) {
    auto* words = static_cast<std::vector<std::u32string>*>(data);
    std::u32string word;
    for (const AlphaChar* p = key; *p; ++p) {
        if (*p < 0x0E00 || *p >= 0x0E80) return TRUE;  // never in libthai's dictionary
        word.push_back(static_cast<char32_t>(*p));
    }
    if (!word.empty()) words->push_back(std::move(word));
    return TRUE;
}

// Built breadth first from the sorted words: the children of each node are
// the distinct next characters of the run of words that share its prefix.
std::vector<WordNode> BuildWordTrie() {
    std::vector<std::u32string> words;
    if (const Trie* trie = Dictionary()) trie_enumerate(trie, CollectWord, &words);
    std::sort(words.begin(), words.end());
    struct Pending {
        uint32_t node;
        size_t depth, from, to;  // the words [from, to) share the node's prefix of `depth`
    };
    std::vector<WordNode> nodes(1);
    std::vector<Pending> queue{{0, 0, 0, words.size()}};
    for (size_t q = 0; q < queue.size(); ++q) {
        const Pending p = queue[q];
        WordNode node;
        std::vector<Pending> children;
        for (size_t i = p.from; i < p.to;) {
            if (words[i].size() == p.depth) {
                node.terminal = 1;
                ++i;
                continue;
            }
            const char32_t c = words[i][p.depth];
            size_t j = i;
            while (j < p.to && words[j].size() > p.depth && words[j][p.depth] == c) ++j;
            const uint32_t offset = static_cast<uint32_t>(c) - 0x0E00;
            node.next[offset >> 6] |= uint64_t{1} << (offset & 63);
            children.push_back({0, p.depth + 1, i, j});
            i = j;
        }
        node.firstChild = static_cast<uint32_t>(nodes.size());
        for (Pending& child : children) {
            child.node = static_cast<uint32_t>(nodes.size());
            nodes.emplace_back();
            queue.push_back(child);
        }
        nodes[p.node] = node;
    }
    return nodes;
}

const std::vector<WordNode>& WordTrie() {
    static const std::vector<WordNode> nodes = BuildWordTrie();
    return nodes;
}

// Walks on from `node` through options[i, count), calling `found` for each
// word end; `chosen` holds the characters picked so far.
void WalkAmong(const std::vector<WordNode>& nodes, uint32_t node, const std::u32string* options,
               size_t count, size_t i, size_t start, std::u32string* chosen, size_t* left,
               size_t* steps, const std::function<void(size_t, std::u32string_view)>& found) {
    if (i >= count || *left == 0) return;
    for (char32_t c : options[i]) {
        if (*left == 0 || *steps == 0) return;
        --*steps;
        if (!chosen->empty() && !IsThaiPairValid(chosen->back(), c)) continue;
        const uint32_t next = WalkWord(nodes, node, c);
        if (next == 0) continue;
        chosen->push_back(c);
        if (nodes[next].terminal) {
            found(i - start + 1, *chosen);
            --*left;
        }
        WalkAmong(nodes, next, options, count, i + 1, start, chosen, left, steps, found);
        chosen->pop_back();
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
// 0.85 of the trigram estimate, 0.12 of the bigram one, the rest unigram and a
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
                                         ? 0.85 * tri[(a * kSymbols + b) * kSymbols + c] / context + 0.15 * pBi
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
    const std::vector<WordNode>& nodes = WordTrie();
    if (start >= count) return;
    std::u32string chosen;
    size_t left = limit;
    // However the candidates branch, the walk stays short.
    size_t steps = 64 * limit;
    WalkAmong(nodes, 0, options, count, start, start, &chosen, &left, &steps, found);
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
    const std::vector<WordNode>& nodes = WordTrie();
    size_t found = 0;
    uint32_t node = 0;
    for (size_t i = start; i < text.size() && found < capacity; ++i) {
        node = WalkWord(nodes, node, text[i]);
        if (node == 0) break;
        if (nodes[node].terminal) lengths[found++] = i - start + 1;
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
