// UTF-8 in and out of UTF-16, for the console program's files and pipes. The
// core works in UTF-16 units; these two functions sit on either side of it.
//
// UTF-8 is read strictly: no overlong forms, no surrogates, nothing above
// U+10FFFF, no stray continuation bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The most UTF-8 bytes that Utf16ToUtf8 writes per UTF-16 unit.
inline constexpr size_t kUtf8BytesPerUnit = 3;

struct Utf8Decoded {
    size_t read;     // bytes taken; with `invalid`, where the bad sequence starts
    size_t written;  // units written to `out`
    bool invalid;
};

// Reads UTF-8 bytes into `out`, which holds at least `count` units. A sequence
// cut off by the end of the bytes is left unread unless `atEnd` says no more
// bytes follow, in which case it is invalid. Stops at the first invalid
// sequence.
Utf8Decoded Utf8ToUtf16(const unsigned char* bytes, size_t count, bool atEnd, char16_t* out);

// The byte offset, within `bytes`, of the sequence that yields unit `unit` of
// Utf8ToUtf16's output over the same bytes.
size_t Utf8OffsetOfUnit(const unsigned char* bytes, size_t unit);

// Writes UTF-16 units as UTF-8 into `out`, which holds at least
// kUtf8BytesPerUnit * count bytes. A surrogate pair becomes one four-byte
// sequence; a lone surrogate, which UTF-8 cannot carry, becomes U+FFFD.
// Returns the bytes written.
size_t Utf16ToUtf8(const char16_t* text, size_t count, unsigned char* out);

// Appends the UTF-8 of code point `cp` (a surrogate or a value above U+10FFFF
// as U+FFFD) to *out.
void AppendUtf8(std::string* out, char32_t cp);

// Reads a whole UTF-8 text as code points, by Utf8ToUtf16's rules; false where
// it is not valid UTF-8.
bool Utf8ToCodePoints(std::string_view utf8, std::u32string* out);
