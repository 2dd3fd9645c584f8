// tolvane-cli: the conversions of the window for files and pipes.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Runs the program with its command line; returns the exit status: 0 done,
// 1 the conversion or a file failed, 2 the command line is wrong.
int RunCli(int argc, char** argv);

// Lets `write` fill OUT (standard output when `output` is null) through a
// temporary file beside it that becomes OUT only when all went well. Returns
// 0, or 1 after printing the reason.
int WriteOutput(const char* output, const std::function<bool(std::FILE*, std::string*)>& write);

// Whether `arg` is an option: it starts with '-', is more than "-" (standard
// input), and no "--" came before it.
inline bool IsOption(const char* arg, bool optionsEnded) { return !optionsEnded && arg[0] == '-' && arg[1] != '\0'; }

// Prints `text` (help or the version) on standard output; returns the exit
// status: 1 if it could not be written.
int PrintText(const char* text);
