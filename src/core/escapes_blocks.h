// The vector path of the escape decoder, kept apart from the rule in
// escapes.cpp: it finds where the next escape may begin and copies the plain
// text before it. Whether an escape really begins there, the rule decides.
#pragma once

#include <cstddef>

// Copies to `out` the units before the first '%' or '&' of `text`, 8 units a
// block, and returns how many it copied. It copies nothing from a text shorter
// than a block, and stops at the last whole block; the caller copies the rest.
size_t CopyPlainUnits(const char16_t* text, size_t count, char16_t* out);
