// Thai garbled on purpose, the ways the repair undoes: for the tests and the
// benchmarks, which build their garbled text from real Thai with these.
#pragma once

#include <string>
#include <string_view>

#include "code_pages.h"

// Kinds 1 and 2: the text's code page 874 bytes read as `page` (a character
// that code page 874 lacks becomes '?'). UTF-8 in and out.
std::string GarbleCp874Through(std::string_view utf8, GarbleCodePage page);

// Kind 2 where the decoder put U+FFFD for each byte `page` leaves undefined.
std::string GarbleCp874ThroughLossy(std::string_view utf8, GarbleCodePage page);

// Kinds 3 and 4: the text's UTF-8 bytes read as `page`; done twice, kind 5.
std::string GarbleUtf8Through(std::string_view utf8, GarbleCodePage page);

// Kind 6: the text's UTF-8 bytes read as code page 874 by a decoder that puts
// U+FFFD for each byte it does not know (`replace`), or drops it.
std::string GarbleUtf8ThroughCp874Lossy(std::string_view utf8, bool replace);
