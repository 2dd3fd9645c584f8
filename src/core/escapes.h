// Numeric character references and percent escapes: writing them and reading
// them back, as functions of the text alone.
//
// Written forms:
//   "&#N;"  one decimal reference per character, N without leading zeros; a
//           surrogate pair is one character (U+1F600 gives "&#128512;"), a lone
//           surrogate keeps the number of its unit.
//   "%xx"   one escape per code page 874 byte, two lowercase hex digits.
// Read forms:
//   "%xx"   either case: the unit U+0000 - U+00FF with that value, no code page
//           in between, so escaped bytes come back in the byte view;
//   "&#NN;" "&#NNN;" "&#NNNN;"  2 to 4 decimal digits: the unit with that value.
// An escape whose value is 0 is not read: it stays in the text like a malformed one.
#pragma once

#include <cstddef>

// The longest output of Utf16ToEntities per input unit: "&#65535;" for one
// unit, and "&#1114111;" (10 units) for a surrogate pair.
inline constexpr size_t kEntityUnitsPerUnit = 8;
inline constexpr size_t kPercentUnitsPerByte = 3;

// Writes a reference for every character of `text` into `out`, which holds at
// least kEntityUnitsPerUnit * count units. Returns the units written (no
// terminator is written). With `out` null, only counts.
size_t Utf16ToEntities(const char16_t* text, size_t count, char16_t* out);

// Writes a percent escape for every byte into `out`, which holds at least
// kPercentUnitsPerByte * count units. Returns the units written.
size_t Cp874ToPercent(const unsigned char* bytes, size_t count, char16_t* out);

// Decodes the escapes of `text` into `out`, which holds at least `count`
// units: the result is never longer. Every unit that begins no escape is
// copied unchanged. Returns the units written.
size_t EscapesToUtf16(const char16_t* text, size_t count, char16_t* out);

// The escape that begins at text[p] in a text of `count` units: returns the
// units it takes (3 for a percent escape, 5 to 7 for a reference) and puts its
// value in *value, or returns 0 when none begins there (an escape of value 0
// included). This is the decoder's one rule: EscapesToUtf16 applies it at
// every '%' and '&', and its vector path only finds those. It looks at no unit beyond
// p + 6, so a reader that goes through its text in pieces can keep the last six
// units for the next piece.
size_t MatchEscapeAt(const char16_t* text, size_t count, size_t p, int* value);
