// The block-at-a-time paths of the core against plain loops written here one
// byte or unit at a time, on every byte, every unit, and random texts whose
// lengths end blocks early, late and exactly.
#include "cp874.h"
#include "escapes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using Units = std::u16string;

constexpr size_t kAwkwardLengths[] = {1, 7, 15, 16, 17, 63, 4097};

// ---- plain reference loops ----

Units PlainDecode(const Bytes& bytes) {
    Units out;
    for (unsigned char b : bytes) out += kCp874ToUtf16[b];
    return out;
}

int PlainByteOf(char16_t u) {
    for (int b = 0; b < 256; ++b) {
        if (b >= 0x88 && b <= 0x8C) continue;
        if (kCp874ToUtf16[b] == u) return b;
    }
    return -1;
}

Bytes PlainEncode(const Units& text) {
    static const std::vector<int> byteOf = [] {
        std::vector<int> v(65536);
        for (int u = 0; u < 65536; ++u) v[u] = PlainByteOf(static_cast<char16_t>(u));
        return v;
    }();
    Bytes out;
    for (size_t i = 0; i < text.size(); ++i) {
        int b = byteOf[text[i]];
        if (b < 0) {
            b = '?';
            if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                ++i;
            }
        }
        out.push_back(static_cast<unsigned char>(b));
    }
    return out;
}

Bytes PlainElevate(Bytes bytes) {
    for (size_t i = 1; i < bytes.size(); ++i) {
        unsigned char prev = bytes[i - 1] >= 0x88 && bytes[i - 1] <= 0x8C
                                 ? bytes[i - 1] + 0x60  // undo this loop's own change
                                 : bytes[i - 1];
        bool upper = prev == 0xD1 || (prev >= 0xD4 && prev <= 0xD7);
        if (bytes[i] >= 0xE8 && bytes[i] <= 0xEC && !upper) bytes[i] -= 0x60;
    }
    return bytes;
}

Units PlainEntities(const Units& text) {
    Units out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long v = text[i];
        if (v >= 0xD800 && v <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            v = 0x10000 + ((v - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        out += u"&#";
        for (char c : std::to_string(v)) out += static_cast<char16_t>(c);
        out += u';';
    }
    return out;
}

Units PlainPercent(const Bytes& bytes) {
    static const char hex[] = "0123456789abcdef";
    Units out;
    for (unsigned char b : bytes) {
        out += u'%';
        out += static_cast<char16_t>(hex[b >> 4]);
        out += static_cast<char16_t>(hex[b & 15]);
    }
    return out;
}

int PlainHex(char16_t u) {
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

Units PlainDecodeEscapes(const Units& t) {
    Units out;
    size_t p = 0;
    while (p < t.size()) {
        if (t[p] == '%' && p + 2 < t.size() && PlainHex(t[p + 1]) >= 0 && PlainHex(t[p + 2]) >= 0) {
            int v = PlainHex(t[p + 1]) * 16 + PlainHex(t[p + 2]);
            if (v != 0) {
                out += static_cast<char16_t>(v);
                p += 3;
                continue;
            }
        }
        if (t[p] == '&' && p + 1 < t.size() && t[p + 1] == '#') {
            size_t q = p + 2;
            while (q < t.size() && t[q] >= '0' && t[q] <= '9') ++q;
            size_t digits = q - p - 2;
            if (digits >= 2 && digits <= 4 && q < t.size() && t[q] == ';') {
                int v = std::stoi(std::string(t.begin() + p + 2, t.begin() + q));
                if (v != 0) {
                    out += static_cast<char16_t>(v);
                    p = q + 1;
                    continue;
                }
            }
        }
        out += t[p++];
    }
    return out;
}

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
        ASSERT_EQ(Decode(bytes), PlainDecode(bytes)) << "shift " << shift;
    }
    // Runs of one byte fill whole blocks with it.
    for (int b = 0; b < 256; ++b) {
        Bytes run(40, static_cast<unsigned char>(b));
        ASSERT_EQ(Decode(run), PlainDecode(run)) << "byte " << b;
    }
}

TEST(FastPaths, Cp874EncodeEveryUnit) {
    Units all;
    for (int u = 0; u < 65536; ++u) all += static_cast<char16_t>(u);
    EXPECT_TRUE(Encode(all) == PlainEncode(all));
    // Each unit alone in a block of Thai, at every lane.
    for (int u = 0; u < 65536; ++u) {
        Units block(17, u'\u0E01');
        block[u % 17] = static_cast<char16_t>(u);
        ASSERT_TRUE(Encode(block) == PlainEncode(block)) << "unit " << u;
    }
    // A surrogate pair across the end of a block, and at the very end.
    for (size_t at = 12; at < 20; ++at) {
        Units text(33, u'a');
        text[at] = 0xD83D;
        text[at + 1] = 0xDE00;
        ASSERT_TRUE(Encode(text) == PlainEncode(text)) << "pair at " << at;
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
        ASSERT_EQ(Elevate(bytes), PlainElevate(bytes)) << "after byte " << prev;
    }
}

TEST(FastPaths, EntitiesEveryUnit) {
    Units all;
    for (int u = 0; u < 65536; ++u) all += static_cast<char16_t>(u);
    EXPECT_TRUE(Entities(all) == PlainEntities(all));
    for (int u = 0; u < 65536; u += 7) {
        // As the last unit, the first, and alone.
        Units pairs[] = {Units(u"\u0E01") + static_cast<char16_t>(u),
                         Units(1, static_cast<char16_t>(u)) + u"A",
                         Units(1, static_cast<char16_t>(u))};
        for (const Units& t : pairs) ASSERT_TRUE(Entities(t) == PlainEntities(t)) << "unit " << u;
    }
}

TEST(FastPaths, PercentEveryByte) {
    Bytes all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<unsigned char>(b));
    EXPECT_TRUE(Percent(all) == PlainPercent(all));
}

TEST(FastPaths, DecodeEscapesEveryUnitInPlainText) {
    Units all;
    for (int u = 0; u < 65536; ++u) all += static_cast<char16_t>(u);
    EXPECT_TRUE(DecodeEscapes(all) == PlainDecodeEscapes(all));
}

TEST(FastPaths, RandomTextsOfAwkwardLengths) {
    std::mt19937 rng(874);
    for (size_t length : kAwkwardLengths) {
        for (int round = 0; round < 50; ++round) {
            Bytes bytes = RandomBytes(rng, length);
            ASSERT_EQ(Decode(bytes), PlainDecode(bytes)) << length;
            ASSERT_EQ(Elevate(bytes), PlainElevate(bytes)) << length;
            ASSERT_TRUE(Percent(bytes) == PlainPercent(bytes)) << length;
            Units text = RandomUnits(rng, length);
            ASSERT_TRUE(Encode(text) == PlainEncode(text)) << length;
            ASSERT_TRUE(Entities(text) == PlainEntities(text)) << length;
            Units escapes = RandomEscapeText(rng, length);
            ASSERT_TRUE(DecodeEscapes(escapes) == PlainDecodeEscapes(escapes)) << length;
            Units encoded = PlainEntities(text).substr(0, length);
            ASSERT_TRUE(DecodeEscapes(encoded) == PlainDecodeEscapes(encoded)) << length;
        }
    }
}
