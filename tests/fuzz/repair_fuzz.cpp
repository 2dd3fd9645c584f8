// Fuzzes the repair engine with a line of any bytes: it never crashes, what it
// returns is valid UTF-8, and a line of clean ASCII is never changed.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "repair.h"
#include "utf8.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

bool IsValidUtf8(const std::string& s) {
    std::vector<char16_t> units(s.size() + 1);
    return !Utf8ToUtf16(reinterpret_cast<const unsigned char*>(s.data()), s.size(), true, units.data())
                .invalid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const RepairedLine r = RepairLine(line);
    if (r.kind == kRepairNone) {
        Check(r.text.empty() && r.lost == 0);
    } else {
        Check(r.kind >= kRepairCp874AsLatin1 && r.kind <= kRepairUtf8AsCp874Lossy);
        Check(IsValidUtf8(r.text));
        Check(r.text != line);
    }
    bool ascii = true;
    for (uint8_t b : line) ascii &= b < 0x80 && b != '\n';
    if (ascii) Check(r.kind == kRepairNone);
    return 0;
}
