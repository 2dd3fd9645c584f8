// A GoogleTest check that two texts are equal and, where they are not, says
// where they first differ and shows both sides there in hex, so that a failure
// on a text of a mebibyte still reads in one line.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "hex.h"

template <class Text>
testing::AssertionResult SameText(const Text& got, const Text& want) {
    if (got == want) return testing::AssertionSuccess();
    const size_t n = std::min(got.size(), want.size());
    size_t at = 0;
    while (at < n && got[at] == want[at]) ++at;
    const size_t from = at > 4 ? at - 4 : 0;
    auto window = [&](const Text& t) {
        const size_t begin = std::min(from, t.size());
        return HexOf(t.data() + begin, std::min(at + 8, t.size()) - begin);
    };
    return testing::AssertionFailure() << "lengths " << got.size() << " and " << want.size()
                                       << ", first difference at " << at << " (shown from " << from
                                       << "): got [" << window(got) << "], want [" << window(want) << "]";
}
