// UTF-8 straight to code page 874 against the two steps it stands for
// (Utf8ToUtf16, then Utf16ToCp874), on seeded random text of awkward lengths:
// Thai, ASCII, other scripts, cut-off and invalid sequences.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cp874.h"
#include "utf8.h"

namespace {

// Pieces that random text is made of: whole characters and broken ones.
const char* const kPieces[] = {
    "a", " ", "กิ่ง", "ก่อน", "\xE0\xB8\x80", "\xE0\xB9\x9F", "\xE0\xB9\xBF", "é", "€", "😀", "\r\n",
    "\xE0\xB8", "\xE0", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "abcdefgh",
};

TEST(Utf8ToCp874, MatchesTheTwoStepsItReplaces) {
    std::mt19937 random(874);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int pieces = static_cast<int>(random() % 40);
        for (int k = 0; k < pieces; ++k) text += kPieces[random() % std::size(kPieces)];
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        for (bool atEnd : {true, false}) {
            std::vector<char16_t> units(text.size() + 1);
            const Utf8Decoded viaUnits = Utf8ToUtf16(bytes, text.size(), atEnd, units.data());
            std::vector<unsigned char> expected(text.size() + 1);
            expected.resize(Utf16ToCp874(units.data(), viaUnits.written, expected.data()));

            std::vector<unsigned char> direct(text.size() + 1);
            const Utf8Decoded straight = Utf8ToCp874(bytes, text.size(), atEnd, direct.data());
            direct.resize(straight.written);
            EXPECT_EQ(straight.invalid, viaUnits.invalid) << text;
            EXPECT_EQ(straight.read, viaUnits.read) << text;
            EXPECT_EQ(direct, expected) << text;
        }
    }
}

}  // namespace
