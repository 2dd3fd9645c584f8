// tolvane-cli fix and detect: garbled Thai repaired, or only counted, line by
// line through the repair engine.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Whether `command` is fix or detect.
bool IsRepairCommand(const char* command);

// Runs fix or detect with the whole command line (argv[1] is the command);
// returns the exit status.
int RunRepairCommand(int argc, char** argv);

enum RepairInput { kInputGuess, kInputUtf8, kInputCp874 };

// What a pass over one input found.
struct RepairCounts {
    bool utf8 = true;            // the input was read as UTF-8 (else code page 874)
    size_t lines = 0;
    size_t repaired[7] = {};     // lines repaired, by kind (index 1 to 6)
    size_t lost = 0;             // characters left unrestored
    size_t malformed = 0;        // lines of invalid UTF-8, passed through
    size_t tooLong = 0;          // lines longer than kMaxRepairLine, passed through
    std::string lostLines;       // the numbers of the lines with characters left lost
};

// The longest line that is judged; a longer one passes through unchanged.
inline constexpr size_t kMaxRepairLine = 1 << 20;

// Reads everything `in` holds, repairs it line by line and writes the result
// as UTF-8 to `out` (nothing is written when `out` is null: detect). `in`
// must be seekable when `from` is kInputGuess, or it is copied to a temporary
// file first. On failure returns false with the reason in *error.
bool RepairStream(std::FILE* in, RepairInput from, std::FILE* out, RepairCounts* counts,
                  std::string* error, size_t blockSize = 64 * 1024);
