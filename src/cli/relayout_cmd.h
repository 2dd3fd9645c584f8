// tolvane-cli relayout: text typed with the other keyboard layout on, put back
// (--to-thai, --to-english), or found and put back run by run (--auto).
#pragma once

#include <cstdio>
#include <string>

#include "stream.h"

// Takes `arg` if it is an option of relayout; false if it is not one.
bool ParseRelayoutOption(const char* arg, CliOptions* options);

// What is wrong with a relayout command line, or "" when nothing is. Sets
// *unavailable when the build cannot do what it asks (--auto without libthai).
std::string RelayoutCommandLineFault(const CliOptions& options, bool* unavailable);

// Streams `in` to `out` line by line. On failure returns false with the reason
// in *error; what was written before stays written. With --report, writes how
// many runs changed to standard error at the end.
bool RelayoutStream(const CliOptions& options, std::FILE* in, std::FILE* out, std::string* error);
