// Thai code page 874 in both directions, smart tone-mark elevation, and the
// reading of the byte view, all free of any platform call.
//
// TIS-620 in code page 874:
//   0x00 - 0x7F  ASCII
//   0xA1 - 0xDA  U+0E01 - U+0E3A  consonants, vowels, PHINTHU
//   0xDF - 0xFB  U+0E3F - U+0E5B  BAHT, vowels, tone marks, digits, signs
//   0x80 0x85 0x91 - 0x97 0xA0    the Windows additions (euro, ellipsis, quotes, dashes, NBSP)
//   0x88 - 0x8C  elevated tone marks, for fonts that draw them higher
//
// The conversions take a length and never look for a terminator, so text may
// hold NULs. Each one counts when `out` is null and converts otherwise, so that
// a caller sizes its buffer once.
#pragma once

#include <cstddef>

#include "cp874_table.h"
#include "utf8.h"

// The byte that stands for a character that code page 874 lacks.
inline constexpr unsigned char kCp874DefaultChar = '?';

// Marks "this byte starts the text" for ElevateToneMarks.
inline constexpr int kTextStart = -1;

// Code page 874 bytes to UTF-16: every byte yields one unit, nothing fails.
size_t Cp874ToUtf16(const unsigned char* bytes, size_t count, char16_t* out);

// UTF-16 to code page 874: one byte per character. A character that the code
// page lacks becomes kCp874DefaultChar: a surrogate pair is one character, and
// so is a lone surrogate.
size_t Utf16ToCp874(const char16_t* text, size_t count, unsigned char* out);

// UTF-8 straight to code page 874, one byte per character, as Utf8ToUtf16 and
// then Utf16ToCp874 would give, without the UTF-16 in between: ASCII and Thai
// take a short path. `out` holds at least `count` bytes. Reads as Utf8ToUtf16
// does (a cut-off sequence waits for more unless `atEnd`, the first invalid
// one stops it); `written` counts bytes out.
Utf8Decoded Utf8ToCp874(const unsigned char* bytes, size_t count, bool atEnd, unsigned char* out);

// The byte of one UTF-16 unit in code page 874, or -1 where the code page lacks it.
int Cp874ByteOf(char16_t unit);

// Replaces, in place, each tone mark (0xE8 - 0xEC) by its elevated form
// (0x88 - 0x8C), unless it starts the text or stands right after an upper vowel
// sign (MAI HAN-AKAT, SARA I, SARA II, SARA UE, SARA UEE), which already fills the
// place above the consonant. `before` is the byte that precedes bytes[0] in the
// whole text, or kTextStart, so that a text can be elevated piece by piece.
void ElevateToneMarks(unsigned char* bytes, size_t count, int before = kTextStart);

// Reads text in the byte view as Unicode. `ansiUnits[b]` is the unit that the
// system's ANSI code page gives byte b when that unit converts back to b, and 0
// where byte b (b > 0) has no such unit. A unit that the ANSI code page holds is
// taken as its byte, and the byte read as code page 874; every other unit (Thai
// already in the Unicode view, a surrogate) passes through unchanged. One unit
// out per unit in.
size_t ByteViewToUtf16(const char16_t* text, size_t count, const char16_t ansiUnits[256],
                         char16_t* out);
