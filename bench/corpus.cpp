#include "corpus.h"

#include <cstdint>

namespace {

// A small generator with a fixed sequence (SplitMix64).
struct Random {
    uint64_t state;
    uint32_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }
};

constexpr size_t kLineLength = 78;

const char* const kEnglishWords[] = {
    "the", "of", "and", "to", "in", "a", "is", "that", "for", "it", "as", "was", "with",
    "be", "by", "on", "not", "he", "this", "are", "or", "his", "from", "at", "which",
    "but", "have", "an", "had", "they", "you", "were", "their", "one", "all", "we",
    "text", "Bangkok", "Unicode", "version", "page", "window", "letter", "number"};

// One Thai syllable: an optional leading vowel, a consonant, then maybe an
// upper or lower vowel, maybe a tone mark, maybe a final consonant or vowel.
void ThaiSyllable(Random& r, ByteText& out) {
    if (r.Below(5) == 0) out.push_back(static_cast<unsigned char>(0xE0 + r.Below(5)));  // SARA E .. AI MAIMALAI
    out.push_back(static_cast<unsigned char>(0xA1 + r.Below(46)));                       // KO KAI .. HO NOKHUK
    switch (r.Below(6)) {
        case 0: out.push_back(static_cast<unsigned char>(0xD4 + r.Below(4))); break;  // SARA I .. UEE
        case 1: out.push_back(0xD1); break;                                           // MAI HAN-AKAT
        case 2: out.push_back(static_cast<unsigned char>(0xD8 + r.Below(2))); break;  // SARA U, UU
        default: break;
    }
    if (r.Below(3) == 0) out.push_back(static_cast<unsigned char>(0xE8 + r.Below(4)));  // tone marks
    switch (r.Below(4)) {
        case 0: out.push_back(0xD2); break;                                          // SARA AA
        case 1: out.push_back(static_cast<unsigned char>(0xA1 + r.Below(46))); break;
        default: break;
    }
}

template <typename Word>
ByteText Prose(size_t bytes, uint64_t seed, Word word) {
    Random r{seed};
    ByteText out;
    out.reserve(bytes + 64);
    size_t lineStart = 0;
    while (out.size() < bytes) {
        word(r, out);
        if (out.size() - lineStart >= kLineLength) {
            out.push_back('\r');
            out.push_back('\n');
            lineStart = out.size();
        } else {
            out.push_back(' ');
        }
    }
    out.resize(bytes);
    return out;
}

}  // namespace

ByteText ThaiProse(size_t bytes) {
    return Prose(bytes, 874, [](Random& r, ByteText& out) {
        const uint32_t kind = r.Below(100);
        if (kind < 9) {
            const char* w = kEnglishWords[r.Below(std::size(kEnglishWords))];
            while (*w) out.push_back(static_cast<unsigned char>(*w++));
        } else if (kind < 13) {
            for (uint32_t n = 1 + r.Below(4); n > 0; --n) out.push_back(static_cast<unsigned char>('0' + r.Below(10)));
        } else {
            // Thai runs words together: a space only between phrases.
            for (uint32_t n = 1 + r.Below(6); n > 0; --n) ThaiSyllable(r, out);
        }
    });
}

ByteText AsciiProse(size_t bytes) {
    return Prose(bytes, 1252, [](Random& r, ByteText& out) {
        const char* w = kEnglishWords[r.Below(std::size(kEnglishWords))];
        while (*w) out.push_back(static_cast<unsigned char>(*w++));
        switch (r.Below(20)) {
            case 0: out.push_back(','); break;
            case 1: out.push_back('.'); break;
            case 2: out.push_back(static_cast<unsigned char>('0' + r.Below(10))); break;
            default: break;
        }
    });
}

double ThaiShare(const ByteText& text) {
    size_t thai = 0;
    for (unsigned char b : text) thai += b >= 0xA1;
    return text.empty() ? 0 : static_cast<double>(thai) / text.size();
}
