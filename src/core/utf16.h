// Surrogate pairs: the one place where a UTF-16 pair is taken apart and put
// together.
#pragma once

inline constexpr bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline constexpr bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
inline constexpr bool IsSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDFFF; }

// The code point of a high and a low surrogate.
inline constexpr char32_t CombineSurrogates(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// The two halves of a code point above U+FFFF.
inline constexpr char16_t HighSurrogateOf(char32_t cp) { return static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)); }
inline constexpr char16_t LowSurrogateOf(char32_t cp) { return static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)); }

// Whether text[i] starts a whole surrogate pair in a text of `count` units.
inline constexpr bool StartsSurrogatePair(const char16_t* text, size_t count, size_t i) {
    return IsHighSurrogate(text[i]) && i + 1 < count && IsLowSurrogate(text[i + 1]);
}
