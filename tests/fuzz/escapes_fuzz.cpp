// Fuzzes the conversions of the core: any input gives a bounded, consistent
// result and never touches memory it should not. The input is read both as
// UTF-16 units and as code page 874 bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cp874.h"
#include "escapes.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char16_t> text(size / 2);
    if (!text.empty()) memcpy(text.data(), data, text.size() * 2);
    const size_t n = text.size();

    std::vector<char16_t> decoded(n);
    size_t d = EscapesToUtf16(text.data(), n, decoded.data());
    Check(d <= n);

    std::vector<char16_t> entities(kEntityUnitsPerUnit * n);
    size_t e = Utf16ToEntities(text.data(), n, entities.data());
    Check(e == Utf16ToEntities(text.data(), n, nullptr) && e <= entities.size());
    // Whatever the encoder writes decodes to no more than it was.
    std::vector<char16_t> back(e);
    Check(EscapesToUtf16(entities.data(), e, back.data()) <= e);

    size_t k = Utf16ToCp874(text.data(), n, nullptr);
    Check(k <= n);
    std::vector<unsigned char> bytes(k);
    Check(Utf16ToCp874(text.data(), n, bytes.data()) == k);
    ElevateToneMarks(bytes.data(), k);
    std::vector<char16_t> percent(kPercentUnitsPerByte * k);
    Check(Cp874ToPercent(bytes.data(), k, percent.data()) == percent.size());

    std::vector<char16_t> unicode(size);
    Check(Cp874ToUtf16(data, size, unicode.data()) == size);
    return 0;
}
