// The English word list that tells correct English from Thai typed with the US
// layout on: Debian's wamerican (/usr/share/dict/words), read once.
#pragma once

#include <string>
#include <string_view>

// Where the list is read from unless TOLVANE_ENGLISH_WORDS names another file.
inline constexpr char kEnglishWordsPath[] = "/usr/share/dict/words";

// Reads the list on first call; false, with the reason in *error, when it
// cannot be read or holds no word.
bool LoadEnglishWords(std::string* error);

// Whether `word` (ASCII) is in the list as it is, or in lower case when it is
// written Capitalised or in CAPITALS, or Capitalised when it is in CAPITALS.
// False before the list is loaded.
bool IsEnglishWord(std::string_view word);
