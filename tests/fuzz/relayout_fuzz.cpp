// Fuzzes relayout --auto's judging: whatever the line, each unit comes out as
// it was or as its key in the other layout, the line keeps its length, and a
// line put back is put back for good (judging it again changes nothing). The
// input bytes pick characters from a palette of ASCII, Thai, Latin letters,
// emoji halves and separators. On a failure it prints the units in hex and
// stops, so that the finding becomes a unit test.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hex.h"
#include "relayout.h"
#include "relayout_auto.h"

namespace {

char16_t UnitOf(uint8_t b) {
    if (b < 0x60) return static_cast<char16_t>(0x20 + b);          // ASCII, space to DEL
    if (b < 0xC0) return static_cast<char16_t>(0x0E01 + b - 0x60);  // Thai and past its end
    if (b < 0xF0) return static_cast<char16_t>(0xC0 + b - 0xC0);    // Latin letters
    const char16_t others[] = {u'\t', u'\r', u' ', u' ', 0xD83D, 0xDE00, 0xFEFF, 0x0410,
                               0x65E5, u'@', u'#', u'/', u':', u'.', 0x0E4E, 0xDC00};
    return others[b - 0xF0];
}

void Fail(const char* what, const std::u16string& line, const std::u16string& out) {
    std::fprintf(stderr, "%s\nline: %s\nout:  %s\n", what, HexOf(line.data(), line.size()).c_str(),
                 HexOf(out.data(), out.size()).c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool loaded = [] {
        std::string error;
        if (LoadRelayoutJudges(&error)) return true;
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }();
    (void)loaded;
    std::u16string line;
    for (size_t i = 0; i < size; ++i) line += UnitOf(data[i]);
    RelayoutCounts counts;
    const std::u16string out = RelayoutLineAuto(line, &counts);
    if (out.size() != line.size()) Fail("the length changed", line, out);
    for (size_t i = 0; i < line.size(); ++i) {
        const char16_t u = line[i];
        if (out[i] != u && out[i] != UsKeyToKedmanee(u) && out[i] != KedmaneeToUsKey(u)) {
            Fail("a unit became what no key gives", line, out);
        }
    }
    if ((counts.toThai + counts.toEnglish == 0) != (out == line)) Fail("the counts disagree", line, out);
    RelayoutCounts again;
    if (RelayoutLineAuto(out, &again) != out) Fail("judged again, the line changed", line, out);
    return 0;
}
