// The texts the benchmark runs on, generated from a fixed seed so that every
// run and every machine times the same input.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

using ByteText = std::vector<unsigned char>;
using UnitText = std::u16string;

// About 85% Thai consonants, vowels and tone marks, the rest spaces, ASCII
// words, digits and CR LF, as code page 874 bytes. Only bytes on which every
// converter agrees: ASCII and the Thai letters (no 0x80 - 0xA0, no 0xDB - 0xDE,
// no 0xFC - 0xFF).
ByteText ThaiProse(size_t bytes);

// English-like prose: letters, spaces, punctuation, digits and CR LF.
ByteText AsciiProse(size_t bytes);

// The share of bytes of `text` at 0xA1 and above.
double ThaiShare(const ByteText& text);
