// Writing and reading references and percent escapes.
#include "escapes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::u16string Entities(const std::u16string& text) {
    std::u16string out(kEntityUnitsPerUnit * text.size(), u'\0');
    size_t n = Utf16ToEntities(text.data(), text.size(), out.data());
    EXPECT_EQ(n, Utf16ToEntities(text.data(), text.size(), nullptr));
    out.resize(n);
    return out;
}

std::u16string Percent(const std::string& bytes) {
    std::u16string out(kPercentUnitsPerByte * bytes.size(), u'\0');
    out.resize(Cp874ToPercent(reinterpret_cast<const unsigned char*>(bytes.data()),
                                  bytes.size(), out.data()));
    return out;
}

std::u16string Decoded(const std::u16string& text) {
    std::u16string out(text.size(), u'\0');
    out.resize(EscapesToUtf16(text.data(), text.size(), out.data()));
    return out;
}

}  // namespace

TEST(Utf16ToEntities, OneReferencePerCharacter) {
    EXPECT_EQ(Entities(u""), u"");
    EXPECT_EQ(Entities(u"A 0"), u"&#65;&#32;&#48;");
    EXPECT_EQ(Entities(u"\u0E01\u0E48\u0E32"), u"&#3585;&#3656;&#3634;");
    EXPECT_EQ(Entities(u"\r\n"), u"&#13;&#10;");
    EXPECT_EQ(Entities(u"\uFFFD"), u"&#65533;");
    EXPECT_EQ(Entities(u"\u00A1"), u"&#161;");
    EXPECT_EQ(Entities(u"&#;"), u"&#38;&#35;&#59;");
    // A surrogate pair is one character; a lone surrogate keeps its unit.
    EXPECT_EQ(Entities(u"\U0001F600"), u"&#128512;");
    EXPECT_EQ(Entities(u"\U0010FFFF"), u"&#1114111;");
    EXPECT_EQ(Entities(u"\xD83D" u"A"), u"&#55357;&#65;");
    EXPECT_EQ(Entities(u"\xDE00\xD83D"), u"&#56832;&#55357;");
    EXPECT_EQ(Entities(std::u16string(1, u'\0')), u"&#0;");
}

TEST(Utf16ToEntities, WorstCaseFitsTheBuffer) {
    std::u16string text(1000, u'\uFFFF');
    EXPECT_EQ(Entities(text).size(), kEntityUnitsPerUnit * text.size());
    std::u16string pairs;
    for (int i = 0; i < 500; ++i) pairs += u"\U0010FFFF";
    EXPECT_LE(Entities(pairs).size(), kEntityUnitsPerUnit * pairs.size());
}

TEST(Cp874ToPercent, TwoLowercaseDigitsPerByte) {
    EXPECT_EQ(Percent(""), u"");
    EXPECT_EQ(Percent("A 0\r\n"), u"%41%20%30%0d%0a");
    EXPECT_EQ(Percent("\xA1\xE8\xD2\xFF"), u"%a1%e8%d2%ff");
    EXPECT_EQ(Percent(std::string(1, '\0')), u"%00");
}

TEST(EscapesToUtf16, Table) {
    struct Case { std::u16string in, out; } cases[] = {
        {u"", u""},
        {u"%41%e0", u"A\u00E0"},
        {u"%E0", u"\u00E0"},
        {u"%a1", u"\u00A1"},
        {u"&#3585;", u"\u0E01"},
        {u"&#65;", u"A"},
        {u"&#065;&#0065;", u"AA"},
        {u"&#123;", u"{"},
        {u"&#09;", u"\t"},
        {u"&#9999;", u"\u270F"},
        {u"&#9;", u"&#9;"},
        {u"&#0;", u"&#0;"},
        {u"&#12345;", u"&#12345;"},
        {u"&#x41;", u"&#x41;"},
        {u"&#12a;", u"&#12a;"},
        {u"&#65 ;", u"&#65 ;"},
        {u"&#65", u"&#65"},
        {u"&amp;", u"&amp;"},
        {u"&#12;34;", u"\u000C34;"},
        {u"&#1234;5", u"\u04D25"},
        {u"%%41", u"%A"},
        {u"%%%", u"%%%"},
        {u"&&#65;", u"&A"},
        {u"&#&#65;", u"&#A"},
        {u"%4", u"%4"},
        {u"%", u"%"},
        {u"&", u"&"},
        {u"&#", u"&#"},
        {u"%4G%g1", u"%4G%g1"},
        {u"%4142", u"A42"},
        {u"%2541", u"%41"},
        {u"&#37;41", u"%41"},
        {u"%67&#37;", u"g%"},
        {u"%0D%0A&#13;&#10;", u"\r\n\r\n"},
        {u"%\uFF14\uFF11&#\uFF16\uFF15;", u"%\uFF14\uFF11&#\uFF16\uFF15;"},
        {u"\U0001F600\u0E01\r\n", u"\U0001F600\u0E01\r\n"},
        {u"&#65;" + std::u16string(100, u'x'), u"A" + std::u16string(100, u'x')},
        // A value of 0 is not decoded: the text after it is kept.
        {u"ab%00cd", u"ab%00cd"},
        {u"&#00;x", u"&#00;x"},
        {u"&#0000;%00%41", u"&#0000;%00A"},
    };
    for (const auto& c : cases) {
        std::u16string out = Decoded(c.in);
        EXPECT_EQ(out, c.out) << "input of " << c.in.size() << " units";
    }
}

TEST(EscapesToUtf16, StopsAtTheGivenLength) {
    // The escape continues past the end of the text given: it is not read.
    std::u16string text = u"%41&#65;";
    std::u16string out(8, u'\0');
    EXPECT_EQ(EscapesToUtf16(text.data(), 2, out.data()), 2u);
    EXPECT_EQ(out.substr(0, 2), u"%4");
    EXPECT_EQ(EscapesToUtf16(text.data() + 3, 4, out.data()), 4u);
    EXPECT_EQ(out.substr(0, 4), u"&#65");
}

TEST(EscapesToUtf16, ReadsBackWhatTheEncodersWrite) {
    std::u16string text;
    for (char16_t u = 10; u < 10000; ++u) text += u;
    EXPECT_EQ(Decoded(Entities(text)), text);
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    std::u16string view;
    for (int b = 1; b < 256; ++b) view += static_cast<char16_t>(b);
    EXPECT_EQ(Decoded(Percent(bytes)), view);
}

TEST(EscapesToUtf16, LongRunsOfEscapeStartsAreCopied) {
    for (const std::u16string& unit : {std::u16string(u"%"), std::u16string(u"&#"),
                                       std::u16string(u"&#1"), std::u16string(u"%\0", 2)}) {
        std::u16string text;
        while (text.size() < (1u << 20)) text += unit;
        EXPECT_EQ(Decoded(text), text);
    }
}
