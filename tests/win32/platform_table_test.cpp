// Holds our code page 874 tables against the platform's own converter.
#include <windows.h>

#include <gtest/gtest.h>

#include "cp874.h"

namespace {

bool IsElevatedMark(int b) { return b >= 0x88 && b <= 0x8C; }

wchar_t PlatformDecode(int b) {
    char byte = static_cast<char>(b);
    wchar_t unit = 0;
    EXPECT_EQ(MultiByteToWideChar(874, 0, &byte, 1, &unit, 1), 1) << "byte " << b;
    return unit;
}

}  // namespace

TEST(PlatformTable, DecodingMatchesTheBytesTheElevatedMarksAside) {
    for (int b = 0; b < 256; ++b) {
        if (IsElevatedMark(b)) {
            EXPECT_EQ(kCp874ToUtf16[b], 0x0E48 + b - 0x88);
        } else {
            EXPECT_EQ(kCp874ToUtf16[b], PlatformDecode(b)) << "byte " << b;
        }
    }
}

TEST(PlatformTable, EncodingIsThePlatformsExactMappingsAndQuestionMarksElsewhere) {
    int exact = 0;
    for (int u = 0; u < 0x10000; ++u) {
        wchar_t unit = static_cast<wchar_t>(u);
        char bytes[4] = {};
        int n = WideCharToMultiByte(874, 0, &unit, 1, bytes, sizeof bytes, nullptr, nullptr);
        int platform = n == 1 ? static_cast<unsigned char>(bytes[0]) : -1;
        bool roundTrips = platform >= 0 && PlatformDecode(platform) == unit;
        int expected = roundTrips && !IsElevatedMark(platform) ? platform : '?';
        char16_t text = static_cast<char16_t>(u);
        unsigned char ours = 0;
        ASSERT_EQ(Utf16ToCp874(&text, 1, &ours), 1u);
        ASSERT_EQ(ours, expected) << "unit " << u << ", platform byte " << platform;
        exact += roundTrips;
    }
    // 256 bytes, each decoding to its own unit.
    EXPECT_EQ(exact, 256);
}
