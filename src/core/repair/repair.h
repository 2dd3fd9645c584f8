// Repair of garbled Thai, one line at a time: Thai that went through the wrong
// code page once or twice is read back the way it went wrong. A line changes
// only when its repair is valid Thai and clearly more plausible than the line
// as it stands; anything else passes unchanged.
//
// The kinds (the original is สวัสดี):
//   1  code page 874 bytes read as Windows-1252 or Latin-1      ÊÇÑÊ´Õ
//   2  code page 874 bytes read as another single-byte page     ĘÇŃĘ´Ő
//   3  UTF-8 read as code page 874                              เธชเธงเธฑเธชเธ”เธต
//   4  UTF-8 read as Windows-1252 or Latin-1                    à¸ªà¸§à¸±à¸ªà¸”à¸µ
//   5  UTF-8 read as Windows-1252 twice                         Ã Â¸Âª...
//   6  kind 3 with the undefined bytes replaced by U+FFFD or dropped: the lost
//      characters are chosen among the candidates by spelling and dictionary
//      words, and where nothing decides they stay U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum RepairKind {
    kRepairNone = 0,
    kRepairCp874AsLatin1 = 1,
    kRepairCp874AsOtherPage = 2,
    kRepairUtf8AsCp874 = 3,
    kRepairUtf8AsLatin1 = 4,
    kRepairUtf8AsLatin1Twice = 5,
    kRepairUtf8AsCp874Lossy = 6,
};
inline constexpr int kRepairKindCount = 7;

struct RepairedLine {
    RepairKind kind = kRepairNone;  // kRepairNone: the line stands as it is
    std::string text;               // the repair, in UTF-8 (empty for kRepairNone)
    size_t lost = 0;                // characters it could not restore (kind 6: U+FFFD left)
    const char* codePage = "";      // the code page the line went through
};

// Judges one line of UTF-8 without its line end. Invalid UTF-8 stands as it is.
RepairedLine RepairLine(std::string_view line);

// Whether a line of UTF-8 is certainly not garbled: ASCII and Thai only, with
// none of the letter pairs that UTF-8 read as code page 874 leaves. The quick
// test that lets clean text through without further work.
bool IsLineCertainlyClean(std::string_view line);
