// The vector paths of the code page 874 conversions, kept apart from the rules
// in cp874.cpp. Each takes whole blocks from the start of its input for as long
// as every element of a block is ASCII or a Thai letter (the two ranges that
// make up nearly all real text), and returns how many elements it took; the
// caller converts the rest one element at a time by the table. Without SSE2
// they take nothing.
#pragma once

#include <cstddef>

// UTF-8 to code page 874 bytes, 16 input bytes a block, for as long as every
// character is ASCII or an assigned Thai letter (E0 B8 xx, E0 B9 xx); a Thai
// letter that a block cuts waits for the next one. Returns the input bytes
// taken, *written the bytes out; `out` holds at least `count` bytes. Only
// where the processor has SSSE3 (its byte shuffle packs the letters' bytes),
// asked once; elsewhere it takes nothing.
size_t Utf8ToCp874Blocks(const unsigned char* bytes, size_t count, unsigned char* out, size_t* written);

// Code page 874 bytes to UTF-16, 16 bytes a block.
size_t Cp874ToUtf16Blocks(const unsigned char* bytes, size_t count, char16_t* out);

// UTF-16 to code page 874, 16 units a block: one byte per unit.
size_t Utf16ToCp874Blocks(const char16_t* text, size_t count, unsigned char* out);

// The units, 8 a block, that hold no surrogate: each of them is one byte.
size_t CountNonSurrogateBlocks(const char16_t* text, size_t count);

// Elevation from bytes[1] on, 16 bytes a block, each judged by the byte before
// it; returns the index after the last block (1 when it took none). Unlike the
// others it takes every block: elevation needs no table.
size_t ElevateToneMarkBlocks(unsigned char* bytes, size_t count);
