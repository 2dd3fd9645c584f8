// The console program's entry point.
#include "cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Bytes pass through untouched: no CR LF translation, no end at Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return RunCli(argc, argv);
}
