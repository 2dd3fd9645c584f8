// MatchEscapeAt, the decoder's test at one position, reads what
// EscapesToUtf16 reads: a decoder built on it agrees on texts made of the
// units that escapes are made of.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "escapes.h"

namespace {

std::u16string DecodeByMatching(const std::u16string& text) {
    std::u16string out;
    size_t p = 0;
    while (p < text.size()) {
        int value = 0;
        size_t length = MatchEscapeAt(text.data(), text.size(), p, &value);
        if (length == 0) {
            out += text[p++];
        } else {
            out += static_cast<char16_t>(value);
            p += length;
        }
    }
    return out;
}

TEST(MatchEscapeAt, AgreesWithTheWholeTextDecoder) {
    const std::u16string alphabet = u"%&#;0123456789aAfFgx \uFF10";
    std::mt19937 random(1);
    for (int i = 0; i < 50000; ++i) {
        std::u16string text(random() % 14, u' ');
        for (auto& u : text) u = alphabet[random() % alphabet.size()];
        std::u16string whole(text.size(), u'\0');
        whole.resize(EscapesToUtf16(text.data(), text.size(), whole.data()));
        ASSERT_EQ(DecodeByMatching(text), whole) << "text #" << i;
    }
}

}  // namespace
