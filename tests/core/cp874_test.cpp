// Code page 874 both ways, tone-mark elevation and the reading of the byte view.
#include "cp874.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u16string Decode(const std::string& bytes) {
    std::u16string out(Cp874ToUtf16(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   bytes.size(), nullptr),
                       u'\0');
    Cp874ToUtf16(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out.data());
    return out;
}

std::string Encode(const std::u16string& text) {
    std::string out(Utf16ToCp874(text.data(), text.size(), nullptr), '\0');
    Utf16ToCp874(text.data(), text.size(), reinterpret_cast<unsigned char*>(out.data()));
    return out;
}

std::string Elevated(std::string bytes) {
    ElevateToneMarks(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    return bytes;
}

}  // namespace

TEST(Cp874, DecodesThaiRangesAndTheWindowsAdditions) {
    for (int b = 0; b < 0x80; ++b) EXPECT_EQ(kCp874ToUtf16[b], b);
    for (int b = 0xA1; b <= 0xDA; ++b) EXPECT_EQ(kCp874ToUtf16[b], 0x0E00 + b - 0xA0);
    for (int b = 0xDF; b <= 0xFB; ++b) EXPECT_EQ(kCp874ToUtf16[b], 0x0E00 + b - 0xA0);
    EXPECT_EQ(kCp874ToUtf16[0x80], 0x20AC);
    EXPECT_EQ(kCp874ToUtf16[0x85], 0x2026);
    EXPECT_EQ(kCp874ToUtf16[0xA0], 0x00A0);
    EXPECT_EQ(kCp874ToUtf16[0xDB], 0xF8C1);
    // The elevated tone marks come back as the tone marks themselves.
    EXPECT_EQ(Decode("\xA1\x88\xA1\x89\xA1\x8A\xA1\x8B\xA1\x8C"),
              u"\u0E01\u0E48\u0E01\u0E49\u0E01\u0E4A\u0E01\u0E4B\u0E01\u0E4C");
}

TEST(Cp874, EveryByteExceptTheElevatedMarksRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::string back = Encode(Decode(byte));
        if (b >= 0x88 && b <= 0x8C) {
            EXPECT_EQ(back, std::string(1, static_cast<char>(b + 0x60))) << "byte " << b;
        } else {
            EXPECT_EQ(back, byte) << "byte " << b;
        }
    }
}

TEST(Cp874, EncodesMissingCharactersAsOneQuestionMarkEach) {
    struct Case { std::u16string text; std::string bytes; } cases[] = {
        {u"", ""},
        {u"\r\nA b", "\r\nA b"},
        {u"\u0E01\u0E48\u0E32", "\xA1\xE8\xD2"},
        {u"\u00E9", "?"},                   // a Latin letter with a diacritic
        {u"\u2500", "?"},                   // a box-drawing line: no best fit into Thai
        {u"\u00A7", "?"},                   // no best fit into a control byte either
        {u"\u0088", "?"},                   // its byte is an elevated mark now
        {u"\U0001F600x", "?x"},             // a surrogate pair is one character
        {u"\xD83D" u"x\xDE00", "?x?"},      // lone surrogates are one each
        {u"\xD83D", "?"},                   // a high surrogate at the very end
        {std::u16string(1, u'\0') + u"A", std::string(1, '\0') + "A"},
    };
    for (const auto& c : cases) EXPECT_EQ(Encode(c.text), c.bytes);
}

TEST(Cp874, ByteOfUnit) {
    EXPECT_EQ(Cp874ByteOf(u'A'), 'A');
    EXPECT_EQ(Cp874ByteOf(u'\u0E48'), 0xE8);
    EXPECT_EQ(Cp874ByteOf(u'\u20AC'), 0x80);
    EXPECT_EQ(Cp874ByteOf(u'\u0080'), -1);
    EXPECT_EQ(Cp874ByteOf(u'\u0E5C'), -1);
}

TEST(ElevateToneMarks, FollowsTheByteBeforeEachMark) {
    struct Case { std::string in, out; } cases[] = {
        {"", ""},
        {"\xE8", "\xE8"},                                  // a single byte never changes
        {"\xE8\xA1\xE8", "\xE8\xA1\x88"},                  // nor the first
        {"\xA1\xE8", "\xA1\x88"},
        {"\xA1\xE8\xE9", "\xA1\x88\x89"},                  // a tone mark does not block
        {"\xA1\xEC", "\xA1\x8C"},                          // THANTHAKHAT too
        {"\xA1\xD4\xE8\xE9", "\xA1\xD4\xE8\x89"},
        // after each upper vowel the mark keeps its place
        {"\xA1\xD1\xE8", "\xA1\xD1\xE8"}, {"\xA1\xD4\xE8", "\xA1\xD4\xE8"},
        {"\xA1\xD5\xEA", "\xA1\xD5\xEA"}, {"\xA1\xD6\xEB", "\xA1\xD6\xEB"},
        {"\xA1\xD7\xE9", "\xA1\xD7\xE9"},
        // every other byte lets it rise
        {"\xD0\xE8", "\xD0\x88"}, {"\xD2\xE8", "\xD2\x88"}, {"\xD3\xE8", "\xD3\x88"},
        {"\xD8\xE8", "\xD8\x88"}, {"\xD9\xE8", "\xD9\x88"}, {"\xE7\xE8", "\xE7\x88"},
        {"\xED\xE8", "\xED\x88"}, {"\xE0\xE8", "\xE0\x88"}, {"1\xE8", "1\x88"},
        {" \xE8", " \x88"}, {"\n\xE8", "\n\x88"}, {"?\xE8", "?\x88"},
        // bytes outside the tone marks are never touched
        {"\xA1\xE7\xED\xE6\xED", "\xA1\xE7\xED\xE6\xED"},
    };
    for (const auto& c : cases) EXPECT_EQ(Elevated(c.in), c.out) << c.in;
}

TEST(ElevateToneMarks, PiecesGiveTheSameAsTheWhole) {
    std::string whole = "\xE8\xA1\xE8\xA1\xD4\xE8\xE9\xA1\xD1\xEA";
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
        std::string bytes = whole;
        auto* p = reinterpret_cast<unsigned char*>(bytes.data());
        ElevateToneMarks(p, cut);
        ElevateToneMarks(p + cut, bytes.size() - cut, cut ? whole[cut - 1] & 0xFF : kTextStart);
        EXPECT_EQ(bytes, Elevated(whole)) << "cut at " << cut;
    }
}

TEST(ByteViewToUtf16, ReadsAnsiBytesAndPassesTheRest) {
    // A Latin-1-like ANSI code page: byte b is U+00bb, and 0x80 is the euro sign.
    char16_t ansi[256];
    for (int b = 0; b < 256; ++b) ansi[b] = static_cast<char16_t>(b);
    ansi[0x80] = 0x20AC;
    ansi[0x81] = 0;  // a byte with no character of its own
    std::u16string in = u"\u00A1\u00E8 A\r\n\u0E01\u0E48\U0001F600\u20AC\u0080";
    std::u16string out(in.size(), u'\0');
    EXPECT_EQ(ByteViewToUtf16(in.data(), in.size(), ansi, out.data()), in.size());
    EXPECT_EQ(out, u"\u0E01\u0E48 A\r\n\u0E01\u0E48\U0001F600\u20AC\u0080");
    // Twice is the same as once.
    std::u16string again(out.size(), u'\0');
    ByteViewToUtf16(out.data(), out.size(), ansi, again.data());
    EXPECT_EQ(again, out);
}
