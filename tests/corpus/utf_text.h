// A UTF-8 text as UTF-16 units and back, through the core's own readers, for
// tests that take their text from the catalogues as UTF-8.
#pragma once

#include <string>

#include "utf8.h"

// The units of `utf8`; empty where it is not valid UTF-8.
inline std::u16string Utf16Of(const std::string& utf8) {
    std::u16string units(utf8.size(), u'\0');
    const Utf8Decoded d = Utf8ToUtf16(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(),
                                      true, units.data());
    units.resize(d.invalid ? 0 : d.written);
    return units;
}

inline std::string Utf8Of(const std::u16string& units) {
    std::string bytes(kUtf8BytesPerUnit * units.size(), '\0');
    bytes.resize(Utf16ToUtf8(units.data(), units.size(), reinterpret_cast<unsigned char*>(bytes.data())));
    return bytes;
}
