// Fuzzes the conversions of the core against the plain loops of
// tests/reference: every fast path must give exactly what its plain loop gives,
// and must size its result exactly when it counts first. The input is read
// both as code page 874 bytes and as UTF-16 units. On the first difference it
// prints the input in hex and stops, so that the finding becomes a unit test.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cp874.h"
#include "escapes.h"
#include "hex.h"
#include "plain_loops.h"

namespace {

const uint8_t* g_data;
size_t g_size;

template <class Text>
void Same(const char* what, const Text& got, const Text& want) {
    if (got == want) return;
    size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    std::fprintf(stderr, "%s differs from its plain loop at %zu (lengths %zu and %zu)\ninput: %s\n",
                 what, at, got.size(), want.size(), HexOf(g_data, g_size).c_str());
    std::abort();
}

void Check(const char* what, bool ok) {
    if (ok) return;
    std::fprintf(stderr, "%s\ninput: %s\n", what, HexOf(g_data, g_size).c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_data = data;
    g_size = size;
    const Bytes bytes(data, data + size);
    Units text(size / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    const size_t n = text.size();

    Units decoded(size, u'\0');
    Check("Cp874ToUtf16 count", Cp874ToUtf16(data, size, nullptr) == size);
    decoded.resize(Cp874ToUtf16(data, size, decoded.data()));
    Same("Cp874ToUtf16", decoded, PlainCp874ToUtf16(bytes));

    Bytes elevated = bytes;
    ElevateToneMarks(elevated.data(), elevated.size());
    Same("ElevateToneMarks", elevated, PlainElevateToneMarks(bytes));

    Units percent(kPercentUnitsPerByte * size, u'\0');
    percent.resize(Cp874ToPercent(data, size, percent.data()));
    Same("Cp874ToPercent", percent, PlainCp874ToPercent(bytes));

    const size_t k = Utf16ToCp874(text.data(), n, nullptr);
    Bytes encoded(k);
    Check("Utf16ToCp874 count", Utf16ToCp874(text.data(), n, encoded.data()) == k);
    Same("Utf16ToCp874", encoded, PlainUtf16ToCp874(text));

    const size_t e = Utf16ToEntities(text.data(), n, nullptr);
    Units entities(e, u'\0');
    Check("Utf16ToEntities count", Utf16ToEntities(text.data(), n, entities.data()) == e);
    Same("Utf16ToEntities", entities, PlainUtf16ToEntities(text));

    Units unescaped(n, u'\0');
    unescaped.resize(EscapesToUtf16(text.data(), n, unescaped.data()));
    Same("EscapesToUtf16", unescaped, PlainEscapesToUtf16(text));
    // The same bytes read as text of single-byte units: escapes typed in ASCII.
    Units ascii(bytes.begin(), bytes.end());
    Units unescapedAscii(size, u'\0');
    unescapedAscii.resize(EscapesToUtf16(ascii.data(), size, unescapedAscii.data()));
    Same("EscapesToUtf16 on bytes", unescapedAscii, PlainEscapesToUtf16(ascii));
    return 0;
}
