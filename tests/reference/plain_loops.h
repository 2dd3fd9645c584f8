// The core's conversions written the plainest way, one byte or unit at a time,
// from the tables and the written rules alone: the reference that the tests
// and the fuzzers hold the fast paths to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;
using Units = std::u16string;

Units PlainCp874ToUtf16(const Bytes& bytes);
Bytes PlainUtf16ToCp874(const Units& text);
Bytes PlainElevateToneMarks(Bytes bytes);
Units PlainUtf16ToEntities(const Units& text);
Units PlainCp874ToPercent(const Bytes& bytes);
Units PlainEscapesToUtf16(const Units& text);
