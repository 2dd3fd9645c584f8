// tolvane-cli's conversions over streams, called in the process on temporary
// files: each command on small texts, the round trips, bad input, and texts cut
// into blocks of every small size.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cli_run.h"
#include "cli_test_util.h"
#include "stream.h"

namespace {

Streamed Convert(CliCommand command, const std::string& input, size_t blockSize = kDefaultBlockSize,
                 bool elevate = false, bool strict = false) {
    CliOptions options;
    options.command = command;
    options.blockSize = blockSize;
    options.elevate = elevate;
    options.strict = strict;
    return StreamThrough(options, input, ConvertStream);
}

std::string Output(CliCommand command, const std::string& input, size_t blockSize = kDefaultBlockSize,
                   bool elevate = false) {
    Streamed c = Convert(command, input, blockSize, elevate);
    EXPECT_TRUE(c.ok) << c.error;
    return c.output;
}

const char kBom[] = "\xEF\xBB\xBF";

const CliCommand kUtf8Commands[] = {kCmdToTis620, kCmdEntities, kCmdPercent, kCmdDecode};

struct Case {
    CliCommand command;
    bool elevate;
    std::string input;
    std::string expected;
};

TEST(CliStream, EachCommandOnSmallTexts) {
    const Case cases[] = {
        // Bytes to UTF-8, the Windows additions and an elevated tone mark too;
        // the bytes EF BB BF are Thai text here, not a byte order mark.
        {kCmdToUnicode, false, "A\xA1\xE8\xD2 \x80\x85\x88\r\n", "Aก่า €…่\r\n"},
        {kCmdToUnicode, false, "\xEF\xBB\xBF", "๏ปฟ"},
        {kCmdToUnicode, false, std::string("a\0b", 3), std::string("a\0b", 3)},
        // A tone mark after an upper vowel keeps its place; after a consonant it
        // is raised; at the start of the text it stays.
        {kCmdToTis620, false, "กิ่ง ก่อน", "\xA1\xD4\xE8\xA7 \xA1\xE8\xCD\xB9"},
        {kCmdToTis620, true, "กิ่ง ก่อน", "\xA1\xD4\xE8\xA7 \xA1\x88\xCD\xB9"},
        {kCmdToTis620, true, "่ก", "\xE8\xA1"},
        {kCmdToTis620, false, "é😀x€", "??x\x80"},
        {kCmdToTis620, false, std::string(kBom) + "A", "A"},
        {kCmdEntities, false, "Aก😀\r\n", "&#65;&#3585;&#128512;&#13;&#10;"},
        {kCmdEntities, false, std::string(kBom) + "A", "&#65;"},
        {kCmdEntities, false, "", ""},
        {kCmdPercent, false, "กA\r\n", "%a1%41%0d%0a"},
        {kCmdPercent, false, "ก่", "%a1%e8"},
        {kCmdPercent, false, "é😀€", "%3f%3f%80"},
        // Percent escapes are code page 874 bytes; references are characters.
        {kCmdDecode, false, "%a1%E8%d2", "ก่า"},
        {kCmdDecode, false, "%C3%A9", "รฉ"},
        {kCmdDecode, false, "%88", "่"},
        {kCmdDecode, false, "&#3585;&#65;&#065;&#0065;&#10;&#9999;", "กAAA\n✏"},
        {kCmdDecode, false, "¡&#161;%a1", "¡¡ก"},
        {kCmdDecode, false, "😀%a1😀", "😀ก😀"},
        // What the decoder does not read stays as it is.
        {kCmdDecode, false, "%00 &#00; &#0; &#9; &#12345; &#x41; &amp; &#65 ;",
         "%00 &#00; &#0; &#9; &#12345; &#x41; &amp; &#65 ;"},
        {kCmdDecode, false, "&#55357;&#56832;", "&#55357;&#56832;"},
        {kCmdDecode, false, "%%41 %2541 %4142 &&#65; %4G %", "%A %41 A42 &A %4G %"},
        {kCmdDecode, false, std::string(kBom) + "%41", "A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Output(c.command, c.input, kDefaultBlockSize, c.elevate), c.expected)
            << "command " << c.command << " on '" << c.input << "'";
    }
}

// Thai and ASCII: every Thai character, every ASCII byte, and words of them.
std::string ThaiAndAsciiText() {
    std::string text;
    for (char32_t cp = 0x0E01; cp <= 0x0E5B; ++cp) {
        if (cp <= 0x0E3A || cp >= 0x0E3F) text += Utf8Of(cp);
    }
    for (int b = 0; b < 0x80; ++b) text += static_cast<char>(b);
    const std::vector<std::string> words = {"กิ่ง", "ก่อน", "น้ำ", "ที่", "ปี๊บ", "ผู้", "ก์", "ต๋า",
                                            " ", "\r\n", "abc", "่"};
    std::mt19937 random(874);
    for (int i = 0; i < 2000; ++i) text += words[random() % words.size()];
    return text;
}

TEST(CliStream, ThaiAndAsciiComeBackThroughCodePage874) {
    const std::string text = ThaiAndAsciiText();
    for (bool elevate : {false, true}) {
        std::string bytes = Output(kCmdToTis620, text, kDefaultBlockSize, elevate);
        EXPECT_EQ(Output(kCmdToUnicode, bytes), text) << "elevate " << elevate;
    }
    // Elevation did raise marks, so the second round trip was not the first.
    EXPECT_NE(Output(kCmdToTis620, text, kDefaultBlockSize, true), Output(kCmdToTis620, text));
}

TEST(CliStream, ReferencesComeBackForEveryCharacterFrom10To9999) {
    std::string text;
    for (char32_t cp = 0x0A; cp <= 0x270F; ++cp) text += Utf8Of(cp);
    for (size_t block : {kDefaultBlockSize, size_t{1000}, size_t{7}}) {
        std::string entities = Output(kCmdEntities, text, block);
        EXPECT_EQ(Output(kCmdDecode, entities, block), text) << "block " << block;
    }
}

struct BadUtf8 {
    std::string input;
    size_t offset;
};

TEST(CliStream, InvalidUtf8NamesTheByteWhereItStarts) {
    const BadUtf8 cases[] = {
        {"ab\xC3(", 2},                         // a lead without its continuation
        {"\x80", 0},                            // a stray continuation
        {"a\xE0\x80\x80", 1},                   // overlong
        {"ok\xC0\xAF", 2},                      // overlong, two bytes
        {"\xED\xA0\x80", 0},                    // a surrogate
        {"\xF4\x90\x80\x80", 0},                // above U+10FFFF
        {"\xFF", 0},
        {"abc\xE0\xB8", 3},                     // cut off at the end
        {"กข\xE0\xB8", 6},
        {std::string(kBom) + "\x80", 3},        // counted with the byte order mark
        {std::string(100, 'a') + "\xE0\xB8" + "a", 100},
    };
    for (CliCommand command : kUtf8Commands) {
        for (const BadUtf8& c : cases) {
            for (size_t block : {kDefaultBlockSize, size_t{1}, size_t{2}, size_t{3}, size_t{5}}) {
                Streamed r = Convert(command, c.input, block);
                EXPECT_FALSE(r.ok);
                EXPECT_EQ(r.error, "invalid UTF-8 at byte " + std::to_string(c.offset))
                    << "command " << command << " block " << block;
            }
        }
    }
}

TEST(CliStream, StrictNamesTheCharacterAndItsByte) {
    const struct {
        std::string input;
        std::string error;
    } cases[] = {
        {"abcé", "U+00E9 at byte 3 has no code page 874 byte"},
        {"ก😀", "U+1F600 at byte 3 has no code page 874 byte"},
        {std::string(kBom) + "ก¡", "U+00A1 at byte 6 has no code page 874 byte"},
        {"กกกกกกกกกก ☃", "U+2603 at byte 31 has no code page 874 byte"},
    };
    for (CliCommand command : {kCmdToTis620, kCmdPercent}) {
        for (const auto& c : cases) {
            for (size_t block : {kDefaultBlockSize, size_t{1}, size_t{4}, size_t{5}}) {
                Streamed r = Convert(command, c.input, block, false, true);
                EXPECT_FALSE(r.ok);
                EXPECT_EQ(r.error, c.error) << "command " << command << " block " << block;
            }
        }
        // Text that code page 874 holds passes.
        EXPECT_TRUE(Convert(command, "กิ่ง €…", kDefaultBlockSize, false, true).ok);
    }
}

// A text in which block boundaries of every small size fall inside escapes,
// inside UTF-8 sequences and between an upper vowel and its tone mark.
std::string AwkwardText() {
    std::string text;
    for (int i = 0; i < 3; ++i) {
        text += "%a1%e8%d2 &#3585;&#65; กิ่ง ก่อน น้ำ %%41 &#12345; &#9999; 😀é ";
        text += "&#00;%00 &amp; %4 &#\r\n่";
    }
    return text;
}

TEST(CliStream, EveryBlockSizeGivesTheSameResult) {
    const std::string text = AwkwardText();
    std::string bytes = Output(kCmdToTis620, text);
    for (CliCommand command : kUtf8Commands) {
        for (bool elevate : {false, true}) {
            if (elevate && command != kCmdToTis620) continue;
            const std::string whole = Output(command, text, kDefaultBlockSize, elevate);
            for (size_t block = 1; block <= 40; ++block) {
                EXPECT_EQ(Output(command, text, block, elevate), whole)
                    << "command " << command << " elevate " << elevate << " block " << block;
            }
        }
    }
    const std::string whole = Output(kCmdToUnicode, bytes);
    for (size_t block = 1; block <= 8; ++block) EXPECT_EQ(Output(kCmdToUnicode, bytes, block), whole);
    // The BOM too may be cut.
    for (size_t block = 1; block <= 4; ++block) {
        EXPECT_EQ(Output(kCmdDecode, std::string(kBom) + text, block), Output(kCmdDecode, text));
    }
}

}  // namespace
