// The Kedmanee key mapping, free of any platform call.
#pragma once

#include <cstdint>

#include "kedmanee_table.h"

// The character code to pass on for a typed character code: codes 33 ('!') to
// 125 ('}') become their Kedmanee TIS-620 byte (0 - 255, never sign-extended);
// every other code, space, '~', control codes and all of Unicode above, passes
// unchanged. Applied once: an ASCII entry is not mapped again.
inline uint32_t MapKedmaneeKey(uint32_t code) {
    const uint32_t index = code - kKedmaneeFirst;  // below 33 wraps to a large value
    if (index <= static_cast<uint32_t>(kKedmaneeLast - kKedmaneeFirst)) return g_kedmaneeTable[index];
    return code;
}
