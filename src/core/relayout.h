// Text typed with the other keyboard layout on, put back key by key: the US
// character of a key and the character Kedmanee gives on the same key, both
// ways, read from the one Kedmanee table the key filter uses. Platform-free.
//
// The mapping is one to one over the keys: the 93 US characters from '!' to
// '}' and the 93 Kedmanee characters (83 Thai, 10 ASCII signs). Everything
// else (space, '~', control codes, the four Thai characters that have no key,
// other scripts, either half of a surrogate pair) passes through unchanged.
#pragma once

#include <cstddef>

// The character Kedmanee gives on the key that types US character `c`, or `c`
// itself when no key types it.
char16_t UsKeyToKedmanee(char16_t c);

// The US character of the key that gives Kedmanee character `c`, or `c` itself
// when no key gives it.
char16_t KedmaneeToUsKey(char16_t c);

// Whether some key types `c` under US; whether some key gives `c` under Kedmanee.
bool IsUsKeyChar(char16_t c);
bool IsKedmaneeKeyChar(char16_t c);

// Text typed under US that was meant for Kedmanee, and the reverse: one unit
// out for each unit in. `out` may be `text`.
void UsKeysToKedmanee(const char16_t* text, size_t count, char16_t* out);
void KedmaneeKeysToUs(const char16_t* text, size_t count, char16_t* out);
