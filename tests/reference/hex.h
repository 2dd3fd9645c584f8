// A run of bytes or units in hex ("a1 e8" or "0e01 0e48"), for printing an
// input or a result when a test or a fuzzer finds a difference.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

template <class Unit>
std::string HexOf(const Unit* data, size_t size) {
    std::string out;
    char piece[12];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(piece, sizeof piece, "%0*lx", static_cast<int>(2 * sizeof(Unit)),
                      static_cast<unsigned long>(data[i]));
        if (i) out += ' ';
        out += piece;
    }
    return out;
}
