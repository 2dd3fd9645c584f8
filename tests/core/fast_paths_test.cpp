// The block-at-a-time paths of the core against the plain loops of
// tests/reference, on every byte, every unit, and random texts whose lengths
// end blocks early, late and exactly.
#include "cp874.h"
#include "escapes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "plain_loops.h"
#include "same.h"

namespace {

constexpr size_t kAwkwardLengths[] = {1, 7, 15, 16, 17, 63, 4097};

// ---- the core, at an odd offset so that no block is aligned ----

Units Decode(const Bytes& bytes) {
    Bytes in(bytes.size() + 1);
    std::copy(bytes.begin(), bytes.end(), in.begin() + 1);
    Units out(bytes.size() + 1, u'\0');
    EXPECT_EQ(Cp874ToUtf16(in.data() + 1, bytes.size(), nullptr), bytes.size());
    out.resize(1 + Cp874ToUtf16(in.data() + 1, bytes.size(), out.data() + 1));
    return out.substr(1);
}

Bytes Encode(const Units& text) {
    Units in = u"x" + text;
    size_t n = Utf16ToCp874(in.data() + 1, text.size(), nullptr);
    Bytes out(n + 1, 0xEE);
    EXPECT_EQ(Utf16ToCp874(in.data() + 1, text.size(), out.data() + 1), n);
    EXPECT_EQ(out[0], 0xEE);
    return Bytes(out.begin() + 1, out.end());
}

Bytes Elevate(Bytes bytes) {
    Bytes in(bytes.size() + 1, 0xD1);
    std::copy(bytes.begin(), bytes.end(), in.begin() + 1);
    ElevateToneMarks(in.data() + 1, bytes.size());
    EXPECT_EQ(in[0], 0xD1);
    return Bytes(in.begin() + 1, in.end());
}

Units Entities(const Units& text) {
    Units in = u"x" + text;
    size_t n = Utf16ToEntities(in.data() + 1, text.size(), nullptr);
    // Exactly the counted size, with a guard unit after it.
    Units out(n + 2, u'\xBEEF');
    EXPECT_EQ(Utf16ToEntities(in.data() + 1, text.size(), out.data() + 1), n);
    EXPECT_EQ(out[n + 1], u'\xBEEF') << "written past the counted size";
    return out.substr(1, n);
}

Units Percent(const Bytes& bytes) {
    Bytes in(bytes.size() + 1);
    std::copy(bytes.begin(), bytes.end(), in.begin() + 1);
    Units out(3 * bytes.size() + 2, u'\xBEEF');
    size_t n = Cp874ToPercent(in.data() + 1, bytes.size(), out.data() + 1);
    EXPECT_EQ(out[n + 1], u'\xBEEF');
    return out.substr(1, n);
}

Units DecodeEscapes(const Units& text) {
    Units in = u"x" + text;
    Units out(text.size() + 2, u'\xBEEF');
    size_t n = EscapesToUtf16(in.data() + 1, text.size(), out.data() + 1);
    EXPECT_EQ(out[n + 1], u'\xBEEF');
    return out.substr(1, n);
}

// ---- random texts ----

// Mostly what the vector paths take (ASCII, Thai letters), with a sprinkling
// of everything else so that blocks switch paths at every position.
Bytes RandomBytes(std::mt19937& rng, size_t length) {
    Bytes out(length);
    for (auto& b : out) {
        unsigned r = rng() % 100;
        if (r < 45) b = static_cast<unsigned char>(0xA1 + rng() % (0xFB - 0xA1 + 1));
        else if (r < 48) b = static_cast<unsigned char>(0xE8 + rng() % 5);
        else if (r < 50) b = static_cast<unsigned char>(0xD1 + rng() % 7);
        else if (r < 95) b = static_cast<unsigned char>(rng() % 0x80);
        else b = static_cast<unsigned char>(rng());
    }
    return out;
}

Units RandomUnits(std::mt19937& rng, size_t length) {
    Units out(length, u'\0');
    for (auto& u : out) {
        unsigned r = rng() % 100;
        if (r < 45) u = static_cast<char16_t>(0x0E00 + rng() % 0x60);
        else if (r < 90) u = static_cast<char16_t>(rng() % 0x80);
        else if (r < 94) u = static_cast<char16_t>(0xD800 + rng() % 0x800);
        else if (r < 96) u = static_cast<char16_t>(9990 + rng() % 20);
        else u = static_cast<char16_t>(rng());
    }
    return out;
}

Units RandomEscapeText(std::mt19937& rng, size_t length) {
    static const char16_t* pieces[] = {u"%", u"&", u"&#", u";", u"0", u"9", u"a", u"F", u"g",
                                       u"%e0", u"%00", u"&#3585;", u"&#12345;", u"\u0E01", u"x",
                                       u"&#00;", u"&#65;", u"%4"};
    Units out;
    while (out.size() < length) {
        if (rng() % 3 == 0) {
            out += pieces[rng() % std::size(pieces)];
        } else {
            out += static_cast<char16_t>(rng() % 4 ? 'a' + rng() % 26 : rng());
        }
    }
    out.resize(length);
    return out;
}

}  // namespace

TEST(FastPaths, Cp874DecodeEveryByteAtEveryPosition) {
    // Every byte value in every lane of a block and of the tail.
    for (int shift = 0; shift < 17; ++shift) {
        Bytes bytes;
        for (int b = 0; b < 256; ++b) {
            for (int k = 0; k < shift; ++k) bytes.push_back('a');
            bytes.push_back(static_cast<unsigned char>(b));
        }
        ASSERT_TRUE(SameText(Decode(bytes), PlainCp874ToUtf16(bytes))) << "shift " << shift;
    }
    // Runs of one byte fill whole blocks with it.
    for (int b = 0; b < 256; ++b) {
        Bytes run(40, static_cast<unsigned char>(b));
        ASSERT_TRUE(SameText(Decode(run), PlainCp874ToUtf16(run))) << "byte " << b;
    }
}

TEST(FastPaths, Cp874EncodeEveryUnit) {
    Units all;
    for (int u = 0; u < 65536; ++u) all += static_cast<char16_t>(u);
    EXPECT_TRUE(SameText(Encode(all), PlainUtf16ToCp874(all)));
    // Each unit alone in a block of Thai, at every lane.
    for (int u = 0; u < 65536; ++u) {
        Units block(17, u'\u0E01');
        block[u % 17] = static_cast<char16_t>(u);
        ASSERT_TRUE(SameText(Encode(block), PlainUtf16ToCp874(block))) << "unit " << u;
    }
    // A surrogate pair across the end of a block, and at the very end.
    for (size_t at = 12; at < 20; ++at) {
        Units text(33, u'a');
        text[at] = 0xD83D;
        text[at + 1] = 0xDE00;
        ASSERT_TRUE(SameText(Encode(text), PlainUtf16ToCp874(text))) << "pair at " << at;
    }
}

TEST(FastPaths, ElevationEveryPairOfBytes) {
    // Every byte after every byte, at lanes that cross block edges.
    for (int prev = 0; prev < 256; ++prev) {
        Bytes bytes;
        for (int b = 0; b < 256; ++b) {
            bytes.push_back(static_cast<unsigned char>(prev));
            bytes.push_back(static_cast<unsigned char>(b));
            bytes.push_back(0xE8);
        }
        ASSERT_TRUE(SameText(Elevate(bytes), PlainElevateToneMarks(bytes))) << "after byte " << prev;
    }
}

TEST(FastPaths, EntitiesEveryUnit) {
    Units all;
    for (int u = 0; u < 65536; ++u) all += static_cast<char16_t>(u);
    EXPECT_TRUE(SameText(Entities(all), PlainUtf16ToEntities(all)));
    for (int u = 0; u < 65536; u += 7) {
        // As the last unit, the first, and alone.
        Units pairs[] = {Units(u"\u0E01") + static_cast<char16_t>(u),
                         Units(1, static_cast<char16_t>(u)) + u"A",
                         Units(1, static_cast<char16_t>(u))};
        for (const Units& t : pairs) ASSERT_TRUE(SameText(Entities(t), PlainUtf16ToEntities(t))) << "unit " << u;
    }
}

TEST(FastPaths, PercentEveryByte) {
    Bytes all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<unsigned char>(b));
    EXPECT_TRUE(SameText(Percent(all), PlainCp874ToPercent(all)));
}

TEST(FastPaths, DecodeEscapesEveryUnitInPlainText) {
    Units all;
    for (int u = 0; u < 65536; ++u) all += static_cast<char16_t>(u);
    EXPECT_TRUE(SameText(DecodeEscapes(all), PlainEscapesToUtf16(all)));
}

TEST(FastPaths, RandomTextsOfAwkwardLengths) {
    std::mt19937 rng(874);
    for (size_t length : kAwkwardLengths) {
        for (int round = 0; round < 50; ++round) {
            Bytes bytes = RandomBytes(rng, length);
            ASSERT_TRUE(SameText(Decode(bytes), PlainCp874ToUtf16(bytes))) << length;
            ASSERT_TRUE(SameText(Elevate(bytes), PlainElevateToneMarks(bytes))) << length;
            ASSERT_TRUE(SameText(Percent(bytes), PlainCp874ToPercent(bytes))) << length;
            Units text = RandomUnits(rng, length);
            ASSERT_TRUE(SameText(Encode(text), PlainUtf16ToCp874(text))) << length;
            ASSERT_TRUE(SameText(Entities(text), PlainUtf16ToEntities(text))) << length;
            Units escapes = RandomEscapeText(rng, length);
            ASSERT_TRUE(SameText(DecodeEscapes(escapes), PlainEscapesToUtf16(escapes))) << length;
            Units encoded = PlainUtf16ToEntities(text).substr(0, length);
            ASSERT_TRUE(SameText(DecodeEscapes(encoded), PlainEscapesToUtf16(encoded))) << length;
        }
    }
}
