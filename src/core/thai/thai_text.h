// How plausible a text is as Thai, from libthai: its input sequence rules say
// whether the spelling is possible at all, and the word dictionary it ships
// (libthai-data's thbrk.tri) says how much of it is made of real words. The
// garbled-text repair and the keyboard-layout repair both judge by these.
#pragma once

#include <cstddef>
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
