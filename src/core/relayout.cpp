// Both directions of the key-by-key mapping, from the Kedmanee table and the
// code page 874 decoding: the Thai of a key is the Unicode of its TIS-620 byte.
#include "relayout.h"

#include <array>

#include "cp874_table.h"
#include "kedmanee_table.h"

namespace {

// The Kedmanee character of each US key character, as Unicode.
constexpr std::array<char16_t, kKedmaneeLast - kKedmaneeFirst + 1> MakeKedmaneeUnits() {
    std::array<char16_t, kKedmaneeLast - kKedmaneeFirst + 1> units{};
    for (int code = kKedmaneeFirst; code <= kKedmaneeLast; ++code) {
        units[code - kKedmaneeFirst] = kCp874ToUtf16[g_kedmaneeTable[code - kKedmaneeFirst]];
    }
    return units;
}

constexpr auto kKedmaneeUnits = MakeKedmaneeUnits();

// The inverse, over the two blocks that Kedmanee characters come from: ASCII
// (0x00 - 0x7F) and Thai (U+0E00 - U+0E7F, at 0x80 - 0xFF). 0 where no key
// gives the character.
constexpr std::array<char16_t, 256> MakeUsKeyUnits() {
    std::array<char16_t, 256> us{};
    for (int code = kKedmaneeFirst; code <= kKedmaneeLast; ++code) {
        const char16_t k = kKedmaneeUnits[code - kKedmaneeFirst];
        const int slot = k < 0x80 ? k : k - 0x0E00 + 0x80;
        us[slot] = static_cast<char16_t>(code);
    }
    return us;
}

constexpr auto kUsKeyUnits = MakeUsKeyUnits();

// The slot of `c` in kUsKeyUnits, or -1.
int UsKeySlot(char16_t c) {
    if (c < 0x80) return c;
    if (c >= 0x0E00 && c < 0x0E80) return c - 0x0E00 + 0x80;
    return -1;
}

}  // namespace

bool IsUsKeyChar(char16_t c) { return c >= kKedmaneeFirst && c <= kKedmaneeLast; }

bool IsKedmaneeKeyChar(char16_t c) {
    const int slot = UsKeySlot(c);
    return slot >= 0 && kUsKeyUnits[slot] != 0;
}

char16_t UsKeyToKedmanee(char16_t c) {
    return IsUsKeyChar(c) ? kKedmaneeUnits[c - kKedmaneeFirst] : c;
}

char16_t KedmaneeToUsKey(char16_t c) {
    const int slot = UsKeySlot(c);
    return slot >= 0 && kUsKeyUnits[slot] != 0 ? kUsKeyUnits[slot] : c;
}

void UsKeysToKedmanee(const char16_t* text, size_t count, char16_t* out) {
    for (size_t i = 0; i < count; ++i) out[i] = UsKeyToKedmanee(text[i]);
}

void KedmaneeKeysToUs(const char16_t* text, size_t count, char16_t* out) {
    for (size_t i = 0; i < count; ++i) out[i] = KedmaneeToUsKey(text[i]);
}
