// Which runs of a line were typed with the other keyboard layout on, and the
// line put back: Thai typed under US (l;ylfu for สวัสดี) and English typed
// under Kedmanee (้ำสสน for hello). Judged by libthai's spelling rules and word
// dictionary, and by the English word list. Native builds only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct RelayoutCounts {
    size_t toThai = 0;     // runs put back from US keys to Thai
    size_t toEnglish = 0;  // runs put back from Kedmanee keys to English
};

// Opens the Thai dictionary and the English word list; false, with the reason
// in *error, when either is missing: judged without them, correct text could
// be changed.
bool LoadRelayoutJudges(std::string* error);

// The line (without its LF; a CR at its end stays where it is) with each run
// between spaces that was clearly typed with the other layout put back, and
// everything else as it was. Adds what it changed to *counts.
std::u16string RelayoutLineAuto(std::u16string_view line, RelayoutCounts* counts);
