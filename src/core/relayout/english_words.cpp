// The English word list in a hash set of its ASCII entries.
#include "english_words.h"

#include <cstdlib>
#include <fstream>
#include <unordered_set>

namespace {

struct WordList {
    bool loaded = false;
    std::string error;
    std::unordered_set<std::string> words;
};

WordList ReadWordList() {
    WordList list;
    const char* path = std::getenv("TOLVANE_ENGLISH_WORDS");
    if (path == nullptr || *path == '\0') path = kEnglishWordsPath;
    std::ifstream in(path);
    if (!in) {
        list.error = std::string("cannot read the English word list '") + path + "'";
        return list;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool ascii = !line.empty();
        for (unsigned char c : line) ascii = ascii && c < 0x80;
        if (ascii) list.words.insert(line);
    }
    if (list.words.empty()) {
        list.error = std::string("the English word list '") + path + "' holds no word";
        return list;
    }
    list.loaded = true;
    return list;
}

const WordList& Words() {
    static const WordList list = ReadWordList();
    return list;
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

bool LoadEnglishWords(std::string* error) {
    if (!Words().loaded) *error = Words().error;
    return Words().loaded;
}

bool IsEnglishWord(std::string_view word) {
    const auto& words = Words().words;
    if (word.empty()) return false;
    std::string w(word);
    if (words.count(w)) return true;
    bool restUpper = true, restLower = true;
    for (size_t i = 1; i < w.size(); ++i) {
        restUpper = restUpper && !IsLower(w[i]);
        restLower = restLower && !IsUpper(w[i]);
    }
    if (!IsUpper(w[0]) || !(restUpper || restLower)) return false;
    for (char& c : w) c = IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
    if (words.count(w)) return true;          // "Hello", "HELLO" as "hello"
    if (!restUpper) return false;
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return words.count(w) != 0;               // "LINUX" as "Linux"
}
