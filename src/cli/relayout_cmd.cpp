// tolvane-cli relayout: reads UTF-8 in blocks and writes it back with the keys
// of one layout read as the other's. --to-thai and --to-english map each
// character as it comes; --auto judges line by line, so it holds a line until
// its LF (a line longer than kLongestLine is judged in pieces cut at a space).
#include "relayout_cmd.h"

#include <cstring>
#include <string>
#include <vector>

#include "relayout.h"
#include "utf16.h"
#include "utf8.h"

#ifdef TOLVANE_RELAYOUT_AUTO
#include "relayout_auto.h"
#endif

namespace {

// The most units of a line --auto holds before it judges what it has.
constexpr size_t kLongestLine = 256 * 1024;

bool WriteUnits(std::FILE* out, const char16_t* units, size_t count, std::vector<unsigned char>* bytes,
                std::string* error) {
    bytes->resize(kUtf8BytesPerUnit * count);
    return WriteAll(out, bytes->data(), Utf16ToUtf8(units, count, bytes->data()), error);
}

#ifdef TOLVANE_RELAYOUT_AUTO
// Judges the line `text[0, count)` (without its LF) and writes it.
bool WriteJudgedLine(std::FILE* out, const char16_t* text, size_t count, RelayoutCounts* counts,
                     std::vector<unsigned char>* bytes, std::string* error) {
    const std::u16string line = RelayoutLineAuto(std::u16string_view(text, count), counts);
    return WriteUnits(out, line.data(), line.size(), bytes, error);
}

// Judges and writes each whole line at the start of *pending and keeps the
// rest; at the end of the input, the rest is a line too.
bool WriteJudgedLines(std::FILE* out, std::u16string* pending, bool atEnd, RelayoutCounts* counts,
                      std::vector<unsigned char>* bytes, std::string* error) {
    size_t start = 0;
    for (size_t lf; (lf = pending->find(u'\n', start)) != std::u16string::npos; start = lf + 1) {
        if (!WriteJudgedLine(out, pending->data() + start, lf - start, counts, bytes, error)) return false;
        if (!WriteUnits(out, u"\n", 1, bytes, error)) return false;
    }
    pending->erase(0, start);
    if (!atEnd && pending->size() <= kLongestLine) return true;
    // The end of the input, or a line too long to hold: judge what is there,
    // up to its last space unless the input ends (never between the halves of
    // a surrogate pair).
    size_t cut = pending->size();
    if (!atEnd) {
        const size_t space = pending->rfind(u' ');
        if (space != std::u16string::npos && space > 0) {
            cut = space;
        } else if (IsHighSurrogate(pending->back())) {
            --cut;
        }
    }
    if (!WriteJudgedLine(out, pending->data(), cut, counts, bytes, error)) return false;
    pending->erase(0, cut);
    return true;
}
#endif

}  // namespace

bool ParseRelayoutOption(const char* arg, CliOptions* options) {
    const struct {
        const char* name;
        RelayoutMode mode;
    } modes[] = {{"--to-thai", kRelayoutToThai}, {"--to-english", kRelayoutToEnglish}, {"--auto", kRelayoutAuto}};
    for (const auto& m : modes) {
        if (std::strcmp(arg, m.name) != 0) continue;
        // A second direction is a fault that RelayoutCommandLineFault names.
        const bool first = options->relayout == kRelayoutUnset || options->relayout == m.mode;
        options->relayout = first ? m.mode : kRelayoutTwoModes;
        return true;
    }
    if (std::strcmp(arg, "--report") == 0) {
        options->report = true;
        return true;
    }
    return false;
}

std::string RelayoutCommandLineFault(const CliOptions& options, bool* unavailable) {
    *unavailable = false;
    if (options.relayout == kRelayoutUnset) return "relayout needs one of --to-thai, --to-english, --auto";
    if (options.relayout == kRelayoutTwoModes) return "relayout takes only one of --to-thai, --to-english, --auto";
    if (options.report && options.relayout != kRelayoutAuto) return "option --report applies to relayout --auto only";
#ifndef TOLVANE_RELAYOUT_AUTO
    if (options.relayout == kRelayoutAuto) {
        *unavailable = true;
        return "relayout --auto is not available in this build: it needs libthai's dictionary";
    }
#endif
    return "";
}

bool RelayoutStream(const CliOptions& options, std::FILE* in, std::FILE* out, std::string* error) {
#ifdef TOLVANE_RELAYOUT_AUTO
    RelayoutCounts counts;
    std::u16string pending;  // --auto: the line read so far
    if (options.relayout == kRelayoutAuto && !LoadRelayoutJudges(error)) return false;
#endif
    const size_t block = options.blockSize;
    std::vector<unsigned char> bytes(block + 4);
    std::vector<char16_t> units(block + 4);
    std::vector<unsigned char> written;
    size_t carried = 0;  // bytes of a cut-off sequence at bytes[0]
    size_t offset = 0;   // input offset of bytes[0]
    bool started = false;
    bool atEnd = false;
    while (!atEnd) {
        size_t got = 0;
        if (!ReadBlock(in, bytes.data() + carried, block, &got, &atEnd, error)) return false;
        const size_t have = carried + got;
        const Utf8Decoded decoded = Utf8ToUtf16(bytes.data(), have, atEnd, units.data());
        // What comes before a bad sequence is converted and written first.
        if (decoded.invalid) atEnd = true;
        char16_t* text = units.data();
        size_t count = decoded.written;
        if (!started && count > 0) {
            started = true;
            if (text[0] == kByteOrderMark) {
                ++text;
                --count;
            }
        }
        switch (options.relayout) {
            case kRelayoutToThai:
                UsKeysToKedmanee(text, count, text);
                if (!WriteUnits(out, text, count, &written, error)) return false;
                break;
            case kRelayoutToEnglish:
                KedmaneeKeysToUs(text, count, text);
                if (!WriteUnits(out, text, count, &written, error)) return false;
                break;
            default:
#ifdef TOLVANE_RELAYOUT_AUTO
                pending.append(text, count);
                if (!WriteJudgedLines(out, &pending, atEnd, &counts, &written, error)) return false;
#endif
                break;
        }
        if (decoded.invalid) {
            *error = InvalidUtf8At(offset + decoded.read);
            return false;
        }
        carried = have - decoded.read;
        std::memmove(bytes.data(), bytes.data() + decoded.read, carried);
        offset += decoded.read;
    }
#ifdef TOLVANE_RELAYOUT_AUTO
    if (options.report) {
        std::fflush(out);  // the report after the text, where both go to one terminal or file
        std::fprintf(stderr, "tolvane-cli: relayout changed %zu run%s: %zu to Thai, %zu to English\n",
                     counts.toThai + counts.toEnglish, counts.toThai + counts.toEnglish == 1 ? "" : "s",
                     counts.toThai, counts.toEnglish);
    }
#endif
    return true;
}
