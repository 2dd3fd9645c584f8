// Shared by the tests of tolvane-cli.
#pragma once

#include <string>

#include "utf8.h"

// UTF-8 of one code point.
inline std::string Utf8Of(char32_t cp) {
    std::string s;
    AppendUtf8(&s, cp);
    return s;
}
