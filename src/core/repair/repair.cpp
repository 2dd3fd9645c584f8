// The repair engine. Each way of going wrong is tried on the whole line: the
// line's characters are turned back into the bytes they were read from, and
// those bytes read the right way; so a line goes through one code page, never
// a character each. A reading is taken only when it is valid Thai and one of:
// it covers far more of the dictionary than the line as it stands; it reads
// every character of the line beyond ASCII as whole UTF-8 sequences (kinds 3
// to 5); or, through a single-byte page, every such character becomes Thai
// that the trigram model finds likely. Of the readings taken, the one that
// covers the most, in the fewest words, wins. Lost characters (kind 6) are
// chosen by the trigram model with a bonus for dictionary words.
#include "repair.h"

#include <cstdint>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>

#include "thai_utf8_sse2.h"
#endif

#include "code_pages.h"
#include "cp874_table.h"
#include "thai_text.h"
#include "utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Inside the engine: a character that was lost and is still to be chosen.
constexpr char32_t kLostMark = 0x110000;
// Where a character cannot be turned back into a byte of the code page.
constexpr int kBarrier = -2;
// Where the decoder put U+FFFD for a byte it did not know.
constexpr int kLostByte = -3;

// The most words tried from one place when lost characters are chosen.
constexpr size_t kWordsPerStart = 400;

// The fewest Thai characters in words that a reading through a single-byte
// page (kinds 1 and 2) must give.
constexpr size_t kLeastWordsReadThroughPage = 5;

// A reading through a Latin page with no dictionary word to show may still be
// taken when it has this many Thai characters in a row (through a Cyrillic or
// Greek page, kLeastWordsReadThroughPage) and the trigram model gives its Thai
// this log-likelihood each on average.
constexpr size_t kLeastThaiByLikelihood = 3;
constexpr double kLeastLikelihoodPerCharacter = -3.5;

bool IsThai(char32_t c) { return c >= 0x0E01 && c <= 0x0E5B; }

bool IsAsciiLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The bytes of a line read through `page`: a byte, kBarrier for a character
// the page lacks, or (lossy) kLostByte for U+FFFD.
std::vector<int> BytesThrough(const std::u32string& line, const CodePageTable& page, bool lossy) {
    std::vector<int> bytes(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        const char32_t c = line[i];
        int b = ByteOf(page, c);
        if (b == kNoPageByte) b = lossy && c == kReplacement ? kLostByte : kBarrier;
        bytes[i] = b;
    }
    return bytes;
}

bool IsContinuation(int b) { return b >= 0x80 && b <= 0xBF; }

// The Thai characters a lost third byte of E0 B8 xx or E0 B9 xx may have
// stood for: those whose last byte the code page leaves undefined.
std::u32string LostCandidates(int second) {
    const CodePageTable& page = CodePageTableOf(kPageWindows874);
    std::u32string candidates;
    for (int b = 0x80; b <= 0xBF; ++b) {
        const bool undefined = page.toUnicode[b] == static_cast<char32_t>(b);
        const char32_t c = static_cast<char32_t>(((second & 0x03) << 6 | (b & 0x3F)) + 0x0E00);
        if (undefined && IsThai(c)) candidates.push_back(c);
    }
    return candidates;
}

// The Thai characters a U+FFFD in a reading through `page` may stand for:
// those whose code page 874 byte the page leaves undefined (0xA1 read as
// Windows-1257, for one). Worked out once for every page.
const std::u32string& LostPageCandidates(GarbleCodePage page) {
    static const std::array<std::u32string, kPageCount> all = [] {
        std::array<std::u32string, kPageCount> candidates;
        for (int p = 0; p < kPageCount; ++p) {
            const CodePageTable& table = CodePageTableOf(static_cast<GarbleCodePage>(p));
            for (int b = 0xA1; b <= 0xFB; ++b) {
                if (table.undefined[b] && IsThai(kCp874ToUtf16[b])) candidates[p].push_back(kCp874ToUtf16[b]);
            }
        }
        return candidates;
    }();
    return all[page];
}

// Kinds 3 to 6: the characters are the bytes `page` gave them, and runs of
// those bytes that make UTF-8 are read as UTF-8. With `lossy`, a Thai sequence
// whose last byte is U+FFFD or missing becomes kLostMark, its candidates in
// *options at the same place.
std::u32string ReadCharsAsUtf8(const std::u32string& line, const CodePageTable& page, bool lossy,
                               std::vector<std::u32string>* options, bool* whole = nullptr) {
    static const std::u32string lostLow = LostCandidates(0xB8);
    static const std::u32string lostHigh = LostCandidates(0xB9);
    const std::vector<int> bytes = BytesThrough(line, page, lossy);
    if (whole) *whole = true;
    std::u32string out;
    out.reserve(line.size());
    if (options) options->clear();
    size_t i = 0;
    while (i < line.size()) {
        const int b = bytes[i];
        size_t n = 0;
        char32_t cp = 0, min = 0;
        if (b >= 0xC2 && b <= 0xDF) { n = 2; cp = b & 0x1F; min = 0x80; }
        else if (b >= 0xE0 && b <= 0xEF) { n = 3; cp = b & 0x0F; min = 0x800; }
        else if (b >= 0xF0 && b <= 0xF4) { n = 4; cp = b & 0x07; min = 0x10000; }
        size_t k = 1;
        for (; n && k < n && i + k < line.size() && IsContinuation(bytes[i + k]); ++k) {
            cp = cp << 6 | (bytes[i + k] & 0x3F);
        }
        if (n && k == n && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(cp);
            if (options) options->emplace_back(1, cp);
            i += n;
            continue;
        }
        if (lossy && b == 0xE0 && k == 2 && (bytes[i + 1] == 0xB8 || bytes[i + 1] == 0xB9)) {
            // E0 B8 or E0 B9 and then no continuation byte: the third was lost.
            // U+FFFD stood in its place, or nothing did.
            out.push_back(kLostMark);
            if (options) options->push_back(bytes[i + 1] == 0xB8 ? lostLow : lostHigh);
            i += i + 2 < line.size() && bytes[i + 2] == kLostByte ? 3 : 2;
            continue;
        }
        if (whole && line[i] >= 0x80) *whole = false;
        out.push_back(line[i]);
        if (options) options->emplace_back(1, line[i]);
        ++i;
    }
    return out;
}

// The last two characters before a place, as the trigram model sees them: a
// run of characters that are not Thai counts as one.
struct Context {
    char32_t first = 0;
    char32_t second = 0;
};

Context Push(Context context, char32_t c) {
    const bool thai = IsThai(c);
    if (!thai && !IsThai(context.second)) return context;
    return {context.second, thai ? c : 0};
}

// How plausible a text is as Thai: whether its spelling holds (lost
// characters still to be chosen left out), how many Thai characters it has,
// and how many of them words of two letters or more cover.
struct Plausibility {
    bool valid = true;
    size_t thai = 0;
    size_t covered = 0;
    size_t lost = 0;
    size_t words = 0;           // the words that cover them
    size_t longestThaiRun = 0;  // the most Thai characters in a row
    size_t asciiLetters = 0;
    size_t foreign = 0;         // characters beyond ASCII that are not Thai
};

// Coverage is worked out only for valid spelling (`always`: in any case).
Plausibility JudgeText(const std::u32string& text, bool always = false) {
    Plausibility p;
    char32_t previous = U' ';
    size_t run = 0;
    for (char32_t c : text) {
        if (c == kLostMark || c == kReplacement) {
            ++p.lost;
            previous = U'\u0E01';  // a consonant: whatever follows may sit on it
            continue;
        }
        run = IsThai(c) ? run + 1 : 0;
        if (run > p.longestThaiRun) p.longestThaiRun = run;
        if (IsAsciiLetter(c)) ++p.asciiLetters;
        if (IsThai(c)) {
            ++p.thai;
        } else if (c >= 0x80 && c != 0xA0) {
            ++p.foreign;
        }
        if (!IsThaiPairValid(previous, c)) p.valid = false;
        previous = c;
    }
    if ((p.valid || always) && p.thai >= 2) {
        const ThaiWordSplit split = SplitThaiWords(text, 2);
        p.covered = split.covered;
        p.words = split.words;
    }
    return p;
}

// The weights of the choice of lost characters: what a character covered by a
// dictionary word of two letters or more earns, what each word costs (fewer,
// longer words win), and the share of the candidates' probability a lost
// character that no word covers needs before it is taken.
constexpr double kCoveredCharacter = 4.0;
constexpr double kPerWord = 5.0;
constexpr double kSureEnough = 0.6;

// Chooses the lost characters of `text` (kLostMark, candidates in `options`):
// the reading that the trigram model finds likeliest, with a bonus for each
// character covered by words of the dictionary, wins; a lost character is
// taken outside any word only when the model is sure enough of it. Lost
// characters that nothing decides stay kLostMark.
void ChooseLostCharacters(std::u32string* text, const std::vector<std::u32string>& options) {
    const size_t n = text->size();
    constexpr double kNone = -1e300;
    struct Step {
        double score = kNone;
        size_t from = 0;
        std::u32string chosen;  // the characters of [from, here), as chosen
        Context context;        // the last two characters at here
    };
    std::vector<Step> best(n + 1);
    best[0].score = 0;
    auto offer = [&](size_t to, double score, size_t from, std::u32string chosen, Context context) {
        if (score > best[to].score) best[to] = Step{score, from, std::move(chosen), context};
    };
    for (size_t i = 0; i < n; ++i) {
        const Step& here = best[i];
        if (here.score == kNone) continue;
        const Context context = here.context;
        const char32_t before = context.second;
        const char32_t c = (*text)[i];
        const char32_t after = i + 1 < n && (*text)[i + 1] != kLostMark ? (*text)[i + 1] : 0;
        if (c != kLostMark) {
            offer(i + 1, here.score + ThaiTrigramLogLikelihood(context.first, context.second, c), i,
                  std::u32string(1, c), Push(context, c));
        } else {
            // Outside any word: the likeliest candidate if the model is sure
            // enough of it, else the character stays lost.
            double total = 0, top = kNone, topProbability = 0;
            char32_t pick = 0;
            for (char32_t candidate : options[i]) {
                if (before && !IsThaiPairValid(before, candidate)) continue;
                if (after && !IsThaiPairValid(candidate, after)) continue;
                const double log = ThaiTrigramLogLikelihood(context.first, context.second, candidate);
                const double probability = std::exp(log);
                total += probability;
                if (log > top) {
                    top = log;
                    topProbability = probability;
                    pick = candidate;
                }
            }
            if (pick && topProbability >= kSureEnough * total) {
                offer(i + 1, here.score + top, i, std::u32string(1, pick), Push(context, pick));
            }
            offer(i + 1, here.score + std::log(1.0 / 92), i, std::u32string(1, kLostMark),
                  Push(context, 0));
        }
        if (!IsThai(c) && c != kLostMark) continue;
        FindThaiDictionaryWordsAmong(
            options.data(), n, i, kWordsPerStart, [&](size_t length, std::u32string_view chosen) {
                if (before && IsThai(before) && !IsThaiPairValid(before, chosen[0])) return;
                if (i + length < n && (*text)[i + length] != kLostMark &&
                    !IsThaiPairValid(chosen.back(), (*text)[i + length])) {
                    return;
                }
                double score = here.score - kPerWord + (length >= 2 ? kCoveredCharacter * length : 0);
                Context walk = context;
                for (char32_t letter : chosen) {
                    score += ThaiTrigramLogLikelihood(walk.first, walk.second, letter);
                    walk = Push(walk, letter);
                }
                offer(i + length, score, i, std::u32string(chosen), walk);
            });
    }
    for (size_t i = n; i > 0;) {
        const Step& step = best[i];
        for (size_t k = 0; k < step.chosen.size(); ++k) (*text)[step.from + k] = step.chosen[k];
        i = step.from;
    }
}

struct Candidate {
    RepairKind kind = kRepairNone;
    const char* codePage = "";
    std::u32string text;
    Plausibility judged;
    bool capitalsPage = false;  // read through a Cyrillic or Greek page
    bool whole = false;         // UTF-8 readings: every character beyond ASCII was read
};

// Whether `repair` is valid Thai and clearly more plausible than `line`.
bool ClearlyBetter(const Plausibility& repair, const Plausibility& line) {
    if (!repair.valid || repair.covered < 2) return false;
    const size_t known = repair.thai;
    // Most of its Thai is made of dictionary words...
    if (repair.covered * 10 < known * 6) return false;
    // ...and far more than of the line as it stands.
    if (repair.covered < line.covered + 2) return false;
    if (line.thai > 0 && repair.covered * line.thai < (line.covered * repair.thai) + known * line.thai / 4) {
        return false;
    }
    return true;
}

// The trigram model's log-likelihood of the Thai of `text`.
double Likelihood(const std::u32string& text) {
    double sum = 0;
    Context context;
    for (char32_t c : text) {
        if (IsThai(c)) sum += ThaiTrigramLogLikelihood(context.first, context.second, c);
        context = Push(context, c);
    }
    return sum;
}

// Orders two acceptable repairs: more covered characters and fewer left
// foreign first, then fewer words, then fewer left lost, then the likelier
// text by the trigram model, then the lower kind.
bool Preferred(const Candidate& a, const Candidate& b) {
    const long scoreA = static_cast<long>(a.judged.covered) - static_cast<long>(a.judged.foreign);
    const long scoreB = static_cast<long>(b.judged.covered) - static_cast<long>(b.judged.foreign);
    if (scoreA != scoreB) return scoreA > scoreB;
    if (a.judged.words != b.judged.words) return a.judged.words < b.judged.words;
    if (a.judged.lost != b.judged.lost) return a.judged.lost < b.judged.lost;
    const double likelihoodA = Likelihood(a.text), likelihoodB = Likelihood(b.text);
    if (likelihoodA != likelihoodB) return likelihoodA > likelihoodB;
    return a.kind < b.kind;
}

// What the line holds, so that only the readings that could apply are tried.
struct LineTraits {
    bool thai = false;      // a Thai character
    bool latin = false;     // a character from U+0080 to U+2FFF outside Thai
    bool aGrave = false;    // à¸ or à¹: UTF-8's E0 B8, E0 B9 read as Windows-1252 or Latin-1
    bool aTilde = false;    // Ã and a no-break space: E0 read that way twice
    bool latinWord = false; // a character beyond ASCII right beside an ASCII letter
};

LineTraits TraitsOf(const std::u32string& line) {
    LineTraits t;
    for (size_t i = 0; i < line.size(); ++i) {
        const char32_t c = line[i];
        // An accented letter inside a word of ASCII letters is how other
        // languages look, never how garbled Thai looks: no reading through a
        // Latin page is tried on such a line.
        if (c >= 0x80 && ((i > 0 && IsAsciiLetter(line[i - 1])) ||
                          (i + 1 < line.size() && IsAsciiLetter(line[i + 1])))) {
            t.latinWord = true;
        }
        if (IsThai(c)) t.thai = true;
        else if (c >= 0x80 && c < 0x3000) t.latin = true;
        const char32_t next = i + 1 < line.size() ? line[i + 1] : 0;
        if (c == 0x00E0 && (next == 0x00B8 || next == 0x00B9)) t.aGrave = true;
        if (c == 0x00C3 && next == 0x00A0) t.aTilde = true;
    }
    return t;
}

// The line as it stands, judged the first time a repair needs it.
struct Original {
    const std::u32string* text;
    bool judged = false;
    Plausibility plausibility;
    const Plausibility& Get() {
        if (!judged) plausibility = JudgeText(*text, true);
        judged = true;
        return plausibility;
    }
};

void Consider(Candidate candidate, Original& original, std::vector<std::u32string>* tried,
              Candidate* best) {
    if (candidate.text == *original.text) return;
    // Several pages often give the same reading: it is judged once.
    for (const std::u32string& t : *tried) {
        if (t == candidate.text) return;
    }
    tried->push_back(candidate.text);
    // A reading of UTF-8 through a Latin page that leaves the marks of Thai
    // in UTF-8 read that way (à¸, à¹) went through another page.
    if (candidate.kind == kRepairUtf8AsLatin1 || candidate.kind == kRepairUtf8AsLatin1Twice) {
        for (size_t i = 0; i + 1 < candidate.text.size(); ++i) {
            const char32_t next = candidate.text[i + 1];
            if (candidate.text[i] == 0x00E0 && (next == 0x00B8 || next == 0x00B9)) return;
        }
    }
    candidate.judged = JudgeText(candidate.text);
    // A reading of UTF-8 that takes in every character beyond ASCII of the
    // line, and gives valid Thai, says enough by its form alone: real text
    // is not made of whole UTF-8 sequences read through a single-byte page.
    if (candidate.whole && candidate.judged.valid && candidate.judged.thai >= 2 &&
        candidate.judged.foreign * 4 <= candidate.judged.thai) {
        if (best->kind == kRepairNone || Preferred(candidate, *best)) *best = std::move(candidate);
        return;
    }
    // A reading through a Cyrillic or Greek page must also hold a leading
    // vowel or a mark above (เ to ๎), which those pages show as small letters:
    // Thai without one is rare, and capitals of those scripts are common.
    if (candidate.kind == kRepairCp874AsOtherPage && candidate.capitalsPage) {
        bool mark = false;
        for (char32_t c : candidate.text) mark |= c >= 0x0E40 && c <= 0x0E4E;
        if (!mark) return;
    }
    // A reading through a page that explains every character beyond ASCII as
    // Thai, in runs of three or more that outweigh the ASCII letters, spelt
    // validly, that reads like Thai to the trigram model: names and words the
    // dictionary lacks are taken on that.
    if (candidate.kind <= kRepairCp874AsOtherPage && candidate.judged.valid &&
        candidate.judged.foreign == 0 &&
        candidate.judged.longestThaiRun >= (candidate.capitalsPage ? kLeastWordsReadThroughPage : kLeastThaiByLikelihood) &&
        candidate.judged.thai >= candidate.judged.asciiLetters &&
        Likelihood(candidate.text) >= kLeastLikelihoodPerCharacter * static_cast<double>(candidate.judged.thai)) {
        if (best->kind == kRepairNone || Preferred(candidate, *best)) *best = std::move(candidate);
        return;
    }
    // A short word of another language's capitals read through a single-byte
    // page is too often a Thai word: such readings need longer evidence.
    const size_t least = candidate.kind <= kRepairCp874AsOtherPage ? kLeastWordsReadThroughPage : 2;
    if (!candidate.judged.valid || candidate.judged.covered < least) return;
    if (!ClearlyBetter(candidate.judged, original.Get())) return;
    if (best->kind == kRepairNone || Preferred(candidate, *best)) *best = std::move(candidate);
}

constexpr GarbleCodePage kOtherPages[] = {kPageWindows1250, kPageIso8859_2, kPageWindows1251,
                                          kPageWindows1257, kPageWindows1253, kPageWindows1254};

}  // namespace

namespace {

// Which Thai offsets (c - U+0E00) are assigned characters.
constexpr bool IsThaiOffset(unsigned offset) {
    return offset >= 0x01 && offset <= 0x5B && !(offset >= 0x3B && offset <= 0x3E);
}

// The offset of the Thai character in UTF-8 at p (3 bytes there), or 0.
inline unsigned ThaiOffsetAt(const unsigned char* p) {
    if (p[0] != 0xE0 || (p[1] & 0xFE) != 0xB8 || (p[2] & 0xC0) != 0x80) return 0;
    const unsigned offset = (p[1] & 1) << 6 | (p[2] & 0x3F);
    return IsThaiOffset(offset) ? offset : 0;
}

}  // namespace

namespace {

// After เธ or เน (UTF-8's E0 B8 and E0 B9 read as code page 874) only a Thai
// character that cannot be a byte of UTF-8's continuation may follow: U+0E20
// and above, but not เ itself. `p` is just past a เ.
bool FollowsSaraEFreely(const unsigned char* p, const unsigned char* end) {
    if (end - p < 3) return true;
    const unsigned second = ThaiOffsetAt(p);
    if (second != 0x18 && second != 0x19) return true;
    if (end - p < 6) return false;
    const unsigned third = ThaiOffsetAt(p + 3);
    return third >= 0x20 && third != 0x40;
}

// The check one character at a time, from a character's start.
bool IsCleanFrom(const unsigned char* p, const unsigned char* end) {
    while (p < end) {
        if (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        if (end - p < 3) return false;
        const unsigned offset = ThaiOffsetAt(p);
        if (offset == 0) return false;
        p += 3;
        if (offset == 0x40 && !FollowsSaraEFreely(p, end)) return false;
    }
    return true;
}

}  // namespace

#if defined(__SSE2__)

namespace {

enum BlockVerdict { kBlockClean, kBlockUnsure, kBlockGarbled };

// Sixteen bytes `v` at `p` (`before`: each one's previous byte) as bit masks:
// every byte is ASCII, E0, or a continuation byte exactly one or two places
// after an E0; the byte after an E0 is B8 or B9; the third byte names an
// assigned Thai character. A character may run over into the next sixteen
// bytes: *leads carries this block's E0s (bits 14 and 15 count). Unsure: the
// bytes break one of these rules, and the plain check decides.
BlockVerdict CheckBlock(__m128i v, __m128i before, const unsigned char* p, const unsigned char* end,
                        unsigned* leads) {
    const __m128i b9 = _mm_set1_epi8(static_cast<char>(0xB9));
    const __m128i x80 = _mm_set1_epi8(static_cast<char>(0x80));
    const unsigned ascii = ~static_cast<unsigned>(_mm_movemask_epi8(v)) & 0xFFFF;
    const unsigned lead =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xE0)))));
    const unsigned cont = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(0xC0)))));
    const unsigned places = lead << 2 | *leads >> 14;
    const unsigned second = (places >> 1) & 0xFFFF;
    const unsigned third = places & 0xFFFF;
    if ((ascii | lead | cont) != 0xFFFF || cont != (second | third)) return kBlockUnsure;
    if (second & ~ThaiSecondBytes(v)) return kBlockUnsure;
    if (UnassignedThaiThirdBytes(v, before) & third) return kBlockUnsure;
    const __m128i afterB9 = _mm_cmpeq_epi8(before, b9);
    // เ (E0 B9 80): what follows it is looked at one by one.
    unsigned saraE =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(afterB9, _mm_cmpeq_epi8(v, x80)))) & third;
    while (saraE) {
        const int at = __builtin_ctz(saraE);
        if (!FollowsSaraEFreely(p + at + 1, end)) return kBlockGarbled;
        saraE &= saraE - 1;
    }
    *leads = lead;
    return kBlockClean;
}

}  // namespace

#endif

bool IsLineCertainlyClean(std::string_view line) {
    const auto* start = reinterpret_cast<const unsigned char*>(line.data());
    const unsigned char* end = start + line.size();
    const unsigned char* p = start;
#if defined(__SSE2__)
    unsigned leads = 0;
    BlockVerdict verdict = kBlockClean;
    while (end - p >= 16 && verdict == kBlockClean) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(v) == 0 && (leads & 0xC000) == 0) {  // all ASCII
            leads = 0;
            p += 16;
            continue;
        }
        const __m128i before = p == start ? _mm_slli_si128(v, 1)
                                          : _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - 1));
        verdict = CheckBlock(v, before, p, end, &leads);
        if (verdict == kBlockClean) p += 16;
    }
    if (verdict == kBlockGarbled) return false;
    if (verdict == kBlockClean && p < end) {
        // The last bytes, padded with NULs (ASCII) to a block of their own; a
        // character they cut off makes the block unsure.
        alignas(16) unsigned char padded[32] = {};
        padded[15] = p == start ? 0 : p[-1];
        std::memcpy(padded + 16, p, static_cast<size_t>(end - p));
        const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(padded + 16));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(padded + 15));
        unsigned tailLeads = leads;
        verdict = CheckBlock(v, before, p, end, &tailLeads);
        if (verdict != kBlockUnsure) return verdict == kBlockClean;
    }
    // Back to the start of the character the last whole block cut, if any.
    if (p != start) {
        if (leads & 0x8000) p -= 1;
        else if (leads & 0x4000) p -= 2;
    }
#endif
    return IsCleanFrom(p, end);
}

RepairedLine RepairLine(std::string_view line) {
    RepairedLine result;
    if (IsLineCertainlyClean(line)) return result;
    std::u32string text;
    if (!Utf8ToCodePoints(line, &text)) return result;
    const LineTraits traits = TraitsOf(text);
    if (!traits.thai && !traits.latin) return result;
    Original original{&text, false, {}};
    std::vector<std::u32string> tried;

    Candidate best;
    if (traits.latin && !traits.latinWord) {
        // Kinds 1 and 2: each character is the byte the page gave it, read as
        // code page 874; characters the page lacks stay. The whole line went
        // through one page: only the readings that leave the fewest characters
        // unexplained are judged (a reading stops as soon as it leaves more).
        struct Reading {
            RepairKind kind;
            const char* name;
            std::u32string text;
            size_t foreign;
            GarbleCodePage page;
        };
        std::vector<Reading> readings;
        size_t fewest = SIZE_MAX;
        auto read = [&](RepairKind kind, GarbleCodePage page) {
            const CodePageTable& table = CodePageTableOf(page);
            std::u32string repaired = text;
            size_t foreign = 0, thai = 0;
            for (char32_t& c : repaired) {
                const int b = ByteOf(table, c);
                if (b >= 0x80) {
                    c = kCp874ToUtf16[b];
                    thai += IsThai(c);
                }
                if (c == kReplacement && !LostPageCandidates(page).empty()) {
                    c = kLostMark;  // a byte the page left undefined
                } else if (c >= 0x80 && c != 0xA0 && !IsThai(c) && ++foreign > fewest) {
                    return;
                }
            }
            if (thai == 0) return;  // the page explains nothing as Thai
            fewest = foreign;
            readings.push_back({kind, table.name, std::move(repaired), foreign, page});
        };
        read(kRepairCp874AsLatin1, kPageWindows1252);
        read(kRepairCp874AsLatin1, kPageLatin1);
        for (GarbleCodePage page : kOtherPages) read(kRepairCp874AsOtherPage, page);
        for (Reading& r : readings) {
            if (r.foreign != fewest) continue;
            // Where a decoder put U+FFFD for a byte the page leaves undefined,
            // that byte is lost: it is chosen as in kind 6.
            if (r.text.find(kLostMark) != std::u32string::npos) {
                std::vector<std::u32string> options;
                options.reserve(r.text.size());
                for (char32_t c : r.text) {
                    if (c == kLostMark) options.push_back(LostPageCandidates(r.page));
                    else options.emplace_back(1, c);
                }
                ChooseLostCharacters(&r.text, options);
            }
            const bool capitals = r.page == kPageWindows1251 || r.page == kPageWindows1253;
            Consider({r.kind, r.name, std::move(r.text), {}, capitals}, original, &tried, &best);
        }
    }
    if ((traits.aGrave || traits.aTilde) && !traits.latinWord) {
        for (GarbleCodePage page : {kPageWindows1252, kPageLatin1}) {
            const CodePageTable& table = CodePageTableOf(page);
            bool wholeOnce = false, wholeTwice = false;
            std::u32string once = ReadCharsAsUtf8(text, table, false, nullptr, &wholeOnce);
            if (traits.aTilde) {
                std::u32string twice = ReadCharsAsUtf8(once, table, false, nullptr, &wholeTwice);
                Consider({kRepairUtf8AsLatin1Twice, table.name, std::move(twice), {}, false, wholeOnce && wholeTwice},
                         original, &tried, &best);
            }
            Consider({kRepairUtf8AsLatin1, table.name, std::move(once), {}, false, wholeOnce}, original,
                     &tried, &best);
        }
    }
    if (traits.thai) {
        std::vector<std::u32string> options;
        bool whole = false;
        std::u32string read =
            ReadCharsAsUtf8(text, CodePageTableOf(kPageWindows874), true, &options, &whole);
        bool lossy = false;
        for (char32_t c : read) lossy |= c == kLostMark;
        if (lossy) ChooseLostCharacters(&read, options);
        Consider({lossy ? kRepairUtf8AsCp874Lossy : kRepairUtf8AsCp874, "CP874", std::move(read), {}, false,
                  whole && !lossy},
                 original, &tried, &best);
    }
    if (best.kind == kRepairNone) return result;

    result.kind = best.kind;
    result.codePage = best.codePage;
    result.text.reserve(line.size());
    for (char32_t c : best.text) {
        if (c == kLostMark || c == kReplacement) ++result.lost;
        AppendUtf8(&result.text, c == kLostMark ? kReplacement : c);
    }
    return result;
}
