// How plausible a text is as Thai, from libthai: its input sequence rules say
// whether the spelling is possible at all, and the word dictionary it ships
// (libthai-data's thbrk.tri) says how much of it is made of real words. The
// garbled-text repair and the keyboard-layout repair both judge by these.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Whether every pair of neighbouring characters of `text` could be typed under
// libthai's basic input sequence check: no tone mark or vowel sign above or
// below without a consonant to sit on, no two of them stacked where Thai never
// stacks them. Characters outside Thai count as plain letters.
bool IsThaiSpellingValid(std::u32string_view text);

// Whether the pair (previous, next) passes that same check.
bool IsThaiPairValid(char32_t previous, char32_t next);

// Whether libthai's dictionary could be opened. Without it every text has no
// words, and so nothing is ever judged more plausible than it stands.
bool HasThaiDictionary();

// Whether `word` is a whole word of the dictionary.
bool IsThaiDictionaryWord(std::u32string_view word);

// The lengths of the dictionary words that start at `text[start]`, shortest
// first, written to `lengths` (at most `capacity`); returns how many there are.
size_t FindThaiDictionaryWords(std::u32string_view text, size_t start, size_t* lengths, size_t capacity);

// How many characters of `text` the best split into dictionary words covers:
// the most characters that non-overlapping dictionary words can cover.
size_t CountThaiWordCoverage(std::u32string_view text);

// The fewest dictionary words that together make up the whole of `text`, or 0
// when no split into dictionary words covers every character. Text that is
// Thai splits into fewer, longer words than letters that only happen to form
// short words.
size_t CountThaiWordsOfFullSplit(std::u32string_view text);

// Whether `text` passes libthai's strict input sequence check, which also
// refuses what Thai is never typed as though the basic check lets it pass: a
// vowel after a leading vowel (แำ), a following vowel with no consonant before
// it (a text that starts with า or ำ).
bool IsThaiSpellingStrict(std::u32string_view text);

// How many characters of `text` the best split covers when only words of at
// least `minLength` characters count (a lone consonant is a word of the
// dictionary, and says little about whether a text is Thai).
size_t CountThaiWordCoverage(std::u32string_view text, size_t minLength);

// The dictionary words that start at position `start` of a text whose every
// position holds one of a few candidate characters (`options[i]`, one
// character where it is known). Calls found(length, chosen) for each word,
// `chosen` holding the characters it picked; stops after `limit` words, or
// after trying 64 * `limit` characters.
void FindThaiDictionaryWordsAmong(const std::u32string* options, size_t count, size_t start,
                                  size_t limit,
                                  const std::function<void(size_t, std::u32string_view)>& found);

// How likely `next` is to follow `previous` inside Thai words, as the natural
// logarithm of the share of dictionary words' letter pairs that start with
// `previous` and go on with `next` (smoothed: never minus infinity). A word's
// start and end count as the pair's missing side when `previous` or `next` is 0.
double ThaiPairLogLikelihood(char32_t previous, char32_t next);

// How likely `next` is to follow `first` and `second` in Thai text, as the
// natural logarithm of a probability: counts of three, two and one characters
// in real sentences (the Thai message catalogues, see thai_trigram_table.h),
// interpolated so that it is never minus infinity. Characters outside Thai,
// and 0 for the start or end of the text, all count as one "not Thai".
double ThaiTrigramLogLikelihood(char32_t first, char32_t second, char32_t next);

// The best split of `text` into dictionary words of at least `minLength`
// characters: the most characters covered, and among such splits the fewest
// words.
struct ThaiWordSplit {
    size_t covered = 0;
    size_t words = 0;
};
ThaiWordSplit SplitThaiWords(std::u32string_view text, size_t minLength);
