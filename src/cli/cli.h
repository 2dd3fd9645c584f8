// tolvane-cli: the conversions of the window for files and pipes.
#pragma once

// Runs the program with its command line; returns the exit status: 0 done,
// 1 the conversion or a file failed, 2 the command line is wrong.
int RunCli(int argc, char** argv);
