// Block by block: the UTF-8 of the input is read into UTF-16 units, handed to
// the core, and its result written out. What a block boundary cuts in two (a
// UTF-8 sequence, an escape, a tone mark and the vowel before it) is carried
// over to the next block.
#include "stream.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "cp874.h"
#include "escapes.h"
#include "utf16.h"
#include "utf8.h"

namespace {

// The longest escape: "&#NNNN;". A reader that stops short of the end keeps
// this many units minus one for the next block.
constexpr size_t kLongestEscape = 7;

// Narrows units that are all ASCII (references, escapes) to bytes, in place.
void NarrowAscii(const char16_t* units, size_t count, unsigned char* out) {
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(units[i]);
}

// The UTF-8 of each code page 874 byte, worked out once from the core's own
// decoding: its bytes in the low three bytes of a word, its length in the top.
std::array<uint32_t, 256> Cp874Utf8Words() {
    std::array<uint32_t, 256> words{};
    for (int b = 0; b < 256; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        char16_t unit;
        Cp874ToUtf16(&byte, 1, &unit);
        unsigned char utf8[kUtf8BytesPerUnit];
        const size_t length = Utf16ToUtf8(&unit, 1, utf8);
        uint32_t word = static_cast<uint32_t>(length) << 24;
        for (size_t k = 0; k < length; ++k) word |= static_cast<uint32_t>(utf8[k]) << (8 * k);
        words[b] = word;
    }
    return words;
}

// Code page 874 to UTF-8 a byte at a time, through the words above: each word
// is stored whole (its top byte is overwritten by what follows, and the buffer
// has one byte to spare at the end) and the output moves on by its length.
bool ConvertCp874Stream(const CliOptions& options, std::FILE* in, std::FILE* out, std::string* error) {
    static const std::array<uint32_t, 256> words = Cp874Utf8Words();
    const size_t block = options.blockSize;
    std::vector<unsigned char> bytes(block);
    std::vector<unsigned char> utf8(kUtf8BytesPerUnit * block + 1);
    bool atEnd = false;
    while (!atEnd) {
        size_t got = 0;
        if (!ReadBlock(in, bytes.data(), block, &got, &atEnd, error)) return false;
        unsigned char* w = utf8.data();
        for (size_t i = 0; i < got; ++i) {
            const uint32_t word = words[bytes[i]];
            std::memcpy(w, &word, 4);
            w += word >> 24;
        }
        if (!WriteAll(out, utf8.data(), static_cast<size_t>(w - utf8.data()), error)) return false;
    }
    return true;
}

// State of a command that reads UTF-8, kept from one block to the next.
struct Utf8Reader {
    std::vector<unsigned char> bytes;  // the input block, after the carried tail
    std::vector<char16_t> units;       // decoded units, after those kept back
    size_t carried = 0;                // bytes of a cut-off sequence at bytes[0]
    size_t kept = 0;                   // units kept back at units[0] (decode only)
    size_t offset = 0;                 // input offset of bytes[0]
    bool started = false;              // a unit has been read (for the byte order mark)
};

// The byte offset in the input of units[index] of the block just read, for
// commands that keep no units back.
size_t InputOffsetOfUnit(const Utf8Reader& reader, size_t skipped, size_t index) {
    return reader.offset + skipped + Utf8OffsetOfUnit(reader.bytes.data() + skipped, index);
}

// The first character without a code page 874 byte, as an error naming it.
bool CheckStrict(const Utf8Reader& reader, size_t skipped, const char16_t* units, size_t count,
                 std::string* error) {
    for (size_t i = 0; i < count; ++i) {
        if (Cp874ByteOf(units[i]) >= 0) continue;
        unsigned long cp = units[i];
        if (StartsSurrogatePair(units, count, i)) cp = CombineSurrogates(cp, units[i + 1]);
        char text[96];
        std::snprintf(text, sizeof text, "U+%04lX at byte %zu has no code page 874 byte", cp,
                      InputOffsetOfUnit(reader, skipped, i));
        *error = text;
        return false;
    }
    return true;
}

// The output side of a command that reads UTF-8: its buffers, and what it
// carries from one block to the next.
struct BlockWork {
    const CliOptions* options;
    std::FILE* out;
    std::vector<unsigned char> bytes;  // code page 874 bytes or output bytes
    std::vector<char16_t> text;        // escapes or decoded units
    std::vector<unsigned char> run;    // a run of percent-escaped bytes
    int lastByte = kTextStart;         // to-tis620: the byte before this block
};

// Converts the units of one block with the core and writes the result.
bool EncodeBlock(BlockWork& work, const Utf8Reader& reader, size_t skipped, const char16_t* units,
                 size_t count, std::string* error) {
    const CliOptions& options = *work.options;
    if (options.strict && !CheckStrict(reader, skipped, units, count, error)) return false;
    switch (options.command) {
        case kCmdToTis620: {
            size_t n = Utf16ToCp874(units, count, work.bytes.data());
            if (n == 0) return true;
            const int last = work.bytes[n - 1];
            if (options.elevate) ElevateToneMarks(work.bytes.data(), n, work.lastByte);
            work.lastByte = last;
            return WriteAll(work.out, work.bytes.data(), n, error);
        }
        case kCmdPercent: {
            size_t n = Utf16ToCp874(units, count, work.bytes.data());
            size_t escaped = Cp874ToPercent(work.bytes.data(), n, work.text.data());
            NarrowAscii(work.text.data(), escaped, work.bytes.data());
            return WriteAll(work.out, work.bytes.data(), escaped, error);
        }
        case kCmdEntities: {
            size_t n = Utf16ToEntities(units, count, work.text.data());
            NarrowAscii(work.text.data(), n, work.bytes.data());
            return WriteAll(work.out, work.bytes.data(), n, error);
        }
        default:
            return true;
    }
}

// Decodes units[0, limit) into UTF-8 at work.bytes: a percent escape is a code
// page 874 byte, and a run of them is read as one byte text; a reference is the
// character with its number. An escape may start before `limit` and end after
// it, never beyond `count`. Returns the units used; *size gets the bytes.
size_t DecodeBlock(BlockWork& work, const char16_t* units, size_t count, size_t limit,
                   size_t* size) {
    char16_t* text = work.text.data();
    size_t w = 0;
    size_t p = 0;
    while (p < limit) {
        int value = 0;
        size_t length = MatchEscapeAt(units, count, p, &value);
        if (length == 3) {
            size_t runLength = 0;
            do {
                work.run[runLength++] = static_cast<unsigned char>(value);
                p += 3;
            } while (p < limit && (length = MatchEscapeAt(units, count, p, &value)) == 3);
            w += Cp874ToUtf16(work.run.data(), runLength, text + w);
            continue;
        }
        if (length != 0) {
            text[w++] = static_cast<char16_t>(value);
            p += length;
            continue;
        }
        // Neither half of a surrogate pair begins an escape: the pair is copied
        // whole, so that it reaches the UTF-8 writer in one piece.
        const char16_t u = units[p++];
        text[w++] = u;
        if (IsHighSurrogate(u) && p < count) text[w++] = units[p++];
    }
    *size = Utf16ToUtf8(text, w, work.bytes.data());
    return p;
}

// to-tis620 without --strict: UTF-8 straight to code page 874 bytes, with no
// UTF-16 in between.
bool ConvertUtf8ToCp874Stream(const CliOptions& options, std::FILE* in, std::FILE* out,
                              std::string* error) {
    const size_t block = options.blockSize;
    std::vector<unsigned char> bytes(block + 4);
    std::vector<unsigned char> cp874(block + 4);
    size_t carried = 0, offset = 0;
    int lastByte = kTextStart;
    bool atEnd = false, started = false;
    while (!atEnd) {
        size_t got = 0;
        if (!ReadBlock(in, bytes.data() + carried, block, &got, &atEnd, error)) return false;
        const size_t have = carried + got;
        size_t skipped = 0;
        // A byte order mark at the very start of the input is not text.
        if (!started && (have >= 3 || atEnd)) {
            started = true;
            if (have >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0) skipped = 3;
        } else if (!started) {
            carried = have;
            continue;
        }
        const Utf8Decoded decoded =
            Utf8ToCp874(bytes.data() + skipped, have - skipped, atEnd, cp874.data());
        const size_t n = decoded.written;
        if (n > 0) {
            const int last = cp874[n - 1];
            if (options.elevate) ElevateToneMarks(cp874.data(), n, lastByte);
            lastByte = last;
            if (!WriteAll(out, cp874.data(), n, error)) return false;
        }
        const size_t read = skipped + decoded.read;
        if (decoded.invalid) {
            *error = InvalidUtf8At(offset + read);
            return false;
        }
        carried = have - read;
        std::memmove(bytes.data(), bytes.data() + read, carried);
        offset += read;
    }
    return true;
}

bool ConvertUtf8Stream(const CliOptions& options, std::FILE* in, std::FILE* out, std::string* error) {
    if (options.command == kCmdToTis620 && !options.strict) {
        return ConvertUtf8ToCp874Stream(options, in, out, error);
    }
    const size_t block = options.blockSize;
    Utf8Reader reader;
    reader.bytes.resize(block + 4);
    reader.units.resize(block + 4 + kLongestEscape);

    BlockWork work;
    work.options = &options;
    work.out = out;
    const size_t maxUnits = reader.units.size();
    switch (options.command) {
        case kCmdEntities:
            work.text.resize(kEntityUnitsPerUnit * maxUnits);
            work.bytes.resize(kEntityUnitsPerUnit * maxUnits);
            break;
        case kCmdPercent:
            work.text.resize(kPercentUnitsPerByte * maxUnits);
            work.bytes.resize(kPercentUnitsPerByte * maxUnits);
            break;
        case kCmdDecode:
            work.text.resize(maxUnits);
            work.run.resize(maxUnits);
            work.bytes.resize(kUtf8BytesPerUnit * maxUnits);
            break;
        default:
            work.bytes.resize(maxUnits);
            break;
    }

    bool atEnd = false;
    while (!atEnd) {
        size_t got = 0;
        if (!ReadBlock(in, reader.bytes.data() + reader.carried, block, &got, &atEnd, error)) {
            return false;
        }
        const size_t have = reader.carried + got;
        Utf8Decoded decoded =
            Utf8ToUtf16(reader.bytes.data(), have, atEnd, reader.units.data() + reader.kept);
        // What comes before a bad sequence is converted and written first.
        if (decoded.invalid) atEnd = true;
        char16_t* units = reader.units.data();
        size_t count = reader.kept + decoded.written;
        // A byte order mark at the very start of the input is not text. (Nothing
        // is kept back before the first unit has been read.)
        size_t skipped = 0;
        if (!reader.started && count > 0) {
            reader.started = true;
            if (units[0] == kByteOrderMark) {
                ++units;
                --count;
                skipped = 3;
            }
        }
        if (options.command == kCmdDecode) {
            const size_t limit =
                atEnd ? count : (count >= kLongestEscape ? count - (kLongestEscape - 1) : 0);
            size_t size = 0;
            const size_t used = DecodeBlock(work, units, count, limit, &size);
            reader.kept = count - used;
            std::memmove(reader.units.data(), units + used, reader.kept * sizeof(char16_t));
            if (!WriteAll(out, work.bytes.data(), size, error)) return false;
        } else if (!EncodeBlock(work, reader, skipped, units, count, error)) {
            return false;
        }
        if (decoded.invalid) {
            *error = InvalidUtf8At(reader.offset + decoded.read);
            return false;
        }
        reader.carried = have - decoded.read;
        std::memmove(reader.bytes.data(), reader.bytes.data() + decoded.read, reader.carried);
        reader.offset += decoded.read;
    }
    return true;
}

}  // namespace

bool WriteAll(std::FILE* out, const void* data, size_t size, std::string* error) {
    if (out == nullptr || size == 0 || std::fwrite(data, 1, size, out) == size) return true;
    *error = std::string("cannot write the output: ") + std::strerror(errno);
    return false;
}

bool ReadBlock(std::FILE* in, unsigned char* data, size_t size, size_t* got, bool* atEnd,
               std::string* error) {
    *got = std::fread(data, 1, size, in);
    if (std::ferror(in)) {
        *error = std::string("cannot read the input: ") + std::strerror(errno);
        return false;
    }
    *atEnd = *got < size;
    return true;
}

std::string InvalidUtf8At(size_t offset) { return "invalid UTF-8 at byte " + std::to_string(offset); }

bool ConvertStream(const CliOptions& options, std::FILE* in, std::FILE* out, std::string* error) {
    if (options.command == kCmdToUnicode) return ConvertCp874Stream(options, in, out, error);
    return ConvertUtf8Stream(options, in, out, error);
}
