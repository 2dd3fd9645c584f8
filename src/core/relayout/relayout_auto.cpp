// The judging of relayout --auto. A line is cut into runs at spaces (and tabs);
// each run that could have been typed with the other layout is judged on its
// core, with up to three signs typed as they are cut off each side ("(" and
// "):" around Thai typed under US). Its verdict:
//
//   keep     it reads right as it stands (English words of the list, Thai
//            split whole into dictionary words), or nothing says otherwise;
//   strong   its converted form reads right and the run gives evidence of
//            its own: US keys that are no English and hold a sign or digit
//            that is a Thai letter's key (l;ylfu), or that give long Thai
//            words; Kedmanee keys that break Thai spelling, or that give an
//            English word of four letters or more;
//   letters  US keys that are no English, only letters (sinv for หรือ): put
//            back where the line has another run put back and more of them
//            than Latin words it leaves (English, "für", "diese", names);
//   weak     its converted form reads right, but the run is no evidence (fd,
//            57' for ถึง, a single letter): put back only beside a run put
//            back the same way, and none put back the other way.
//
// In a line mostly of Latin words, a run put back to Thai must give long Thai
// words: there a lone run is more likely a name or an identifier (m68k).
//
// Never touched: numbers, URLs, e-mail addresses, hashtags and mentions, runs
// with characters that no key of the other layout types (other scripts, Thai
// and Latin letters mixed), and runs too long to be words.
#include "relayout_auto.h"

#include <vector>

#include "english_words.h"
#include "relayout.h"
#include "thai_text.h"

namespace {

enum Direction { kKeep, kToThai, kToEnglish };
enum Strength { kNone, kWeak, kLetters, kStrong };

// Runs longer than this stay as they are: no word is, and judging them would
// take time that grows with their square.
constexpr size_t kLongestRun = 1000;

struct RunVerdict {
    size_t start, length;
    Direction direction = kKeep;
    Strength strength = kNone;
    bool thaiOnly = false;  // to English: only the Thai characters, the signs typed right
    bool foreign = false;   // Latin letters that are neither English nor put back
    bool english = false;   // English words of the list, kept
    bool clear = false;     // to Thai: long dictionary words (kClearThai)
};

bool IsRunSeparator(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsThai(char16_t c) { return c >= 0x0E01 && c <= 0x0E5B; }

bool StartsWithNoCase(std::u16string_view run, std::u16string_view prefix) {
    if (run.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = run[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// Numbers (5555, 3.14, 1,000, 12:30, 50%, (1)), URLs, e-mail addresses,
// hashtags and mentions: text that means what it says in either layout.
bool IsProtectedRun(std::u16string_view run) {
    if (run.find(u"://") != std::u16string_view::npos || StartsWithNoCase(run, u"www.")) return true;
    if (run.find(u'@') != std::u16string_view::npos) return true;
    if (run.size() > 1 && run[0] == u'#') return true;
    bool digit = false;
    for (char16_t c : run) {
        if (IsAsciiDigit(c)) {
            digit = true;
        } else if (std::u16string_view(u".,:/%+-()$#").find(c) == std::u16string_view::npos) {
            return false;
        }
    }
    return digit;
}

enum EnglishVerdict { kNoLetters, kNotEnglish, kAcronym, kEnglish };

// Two words of the list run together (Filename, subprocess), each of three
// letters or more.
bool IsEnglishCompound(const std::string& word) {
    if (word.size() > 40) return false;
    for (size_t i = 3; i + 3 <= word.size(); ++i) {
        if (IsEnglishWord(word.substr(0, i)) && IsEnglishWord(word.substr(i))) return true;
    }
    return false;
}

// Two to six capitals (PNG, GDK): an abbreviation. Thai typed under US seldom
// gives one, since the shifted keys hold the rarer Thai letters.
bool IsAcronym(const std::string& word) {
    if (word.size() < 2 || word.size() > 6) return false;
    for (char c : word) {
        if (c < 'A' || c > 'Z') return false;
    }
    return true;
}

// Whether a run of ASCII is English: its core, without the signs and digits
// around it, is a word of the list or two run together, or such words and
// numbers joined by '-' or '/'. A core with other signs inside (l;ylfu,
// me.sh) is not. An abbreviation among them makes it kAcronym.
EnglishVerdict JudgeEnglish(std::u16string_view run, size_t* letters) {
    size_t first = 0, last = run.size();
    while (first < last && !IsAsciiLetter(run[first])) ++first;
    while (last > first && !IsAsciiLetter(run[last - 1])) --last;
    *letters = 0;
    for (char16_t c : run) *letters += IsAsciiLetter(c);
    if (first == last) return kNoLetters;
    std::string core;
    for (size_t i = first; i < last; ++i) core += static_cast<char>(run[i]);
    if (IsEnglishWord(core)) return kEnglish;
    EnglishVerdict verdict = kEnglish;
    size_t start = 0;
    for (;;) {
        const size_t end = core.find_first_of("-/", start);
        const std::string part = core.substr(start, end == std::string::npos ? std::string::npos : end - start);
        bool number = !part.empty();
        for (char c : part) number = number && c >= '0' && c <= '9';
        if (IsAcronym(part)) {
            verdict = kAcronym;
        } else if (!number && !IsEnglishWord(part) && !IsEnglishCompound(part)) {
            return kNotEnglish;
        }
        if (end == std::string::npos) return verdict;
        start = end + 1;
    }
}

// Signs that may stand around a run's core, typed as they are: the run is
// judged on the core within them too, "(lj;omuj.=h):" as "lj;omuj.=h".
constexpr std::u16string_view kEdgeSigns = u"()[]{}<>\"'.,:;!?";
constexpr size_t kMostEdgeSigns = 3;

// The least characters per dictionary word, on average, of text that reads as
// Thai. Letters that only happen to spell Thai fall apart into short words.
constexpr double kLeastThaiWordLength = 2.5;
// The least average word length of Thai that is evidence on its own.
constexpr double kClearThaiWordLength = 4.0;
constexpr size_t kShortestClearThai = 6;

// The least letters of an English word that is evidence on its own, whatever
// the spelling of the Thai it was typed as; and the least letters of a run of
// US keys with no sign among them that is evidence on its own. Shorter words
// (fd, mv, ok) match short Thai words too often.
constexpr size_t kLeastLettersOfWord = 4;

// A line with this many Latin words kept (English or not), and this many times
// as many as runs that read as Thai typed under US, is a line of English.
constexpr size_t kEnglishLine = 3;

size_t CountThai(std::u16string_view text) {
    size_t thai = 0;
    for (char16_t c : text) thai += IsThai(c);
    return thai;
}

// How well text reads as Thai.
enum ThaiReading {
    kNotThai,
    kThai,          // split whole into dictionary words of a plausible length
    kClearThai,     // the same, in long words: evidence on its own
};

// How well text reads as Thai: Thai characters, with only opening signs
// before them and closing signs after, spelled by the input sequence rules,
// and made of dictionary words.
ThaiReading ReadThai(std::u16string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && (text[first] == u'(' || text[first] == u'"')) ++first;
    while (last > first && std::u16string_view(u")\",.?").find(text[last - 1]) != std::u16string_view::npos) {
        --last;
    }
    const std::u16string_view core = text.substr(first, last - first);
    if (core.empty() || CountThai(core) != core.size()) return kNotThai;
    const std::u32string thai(core.begin(), core.end());
    if (!IsThaiSpellingStrict(thai)) return kNotThai;
    const double length = static_cast<double>(thai.size());
    const size_t words = CountThaiWordsOfFullSplit(thai);
    if (words > 0 && length >= kClearThaiWordLength * static_cast<double>(words) && thai.size() >= kShortestClearThai) {
        return kClearThai;
    }
    if (words > 0 && length >= kLeastThaiWordLength * static_cast<double>(words)) return kThai;
    return kNotThai;
}

// Whether a run of US keys shows a sign or digit that Kedmanee types as a Thai
// letter (-v' for ของ, 8;k for ควา): English words seldom hold one, Thai
// typed under US mostly does. Not counted: what Latin text has too, a comma,
// full stop, semicolon, colon or apostrophe at the end (cp, for แยม), an
// apostrophe, hyphen or comma between letters (s'est, dist-hook, gd,gm), and
// the hyphens that start an option (-vf, for ขอด).
bool HasThaiLetterSign(std::u16string_view run) {
    for (size_t i = 0; i < run.size(); ++i) {
        const char16_t c = run[i];
        if (IsAsciiLetter(c) || !IsThai(UsKeyToKedmanee(c))) continue;
        if (i + 1 == run.size() && std::u16string_view(u",.;:'").find(c) != std::u16string_view::npos) continue;
        if (c == u'-' && (i == 0 || (i == 1 && run[0] == u'-'))) continue;  // an option: -vf, --foo
        if ((c == u'\'' || c == u'-' || c == u',') && i > 0 && i + 1 < run.size() && IsAsciiLetter(run[i - 1]) &&
            IsAsciiLetter(run[i + 1])) {
            continue;
        }
        return true;
    }
    return false;
}

enum CoreVerdict { kCorrect, kUnsure, kWrong };

// The verdict on one core of a run: kCorrect ends the search (the run stands
// as it is), kWrong fills *v, kUnsure tries a shorter core.
CoreVerdict JudgeCore(std::u16string_view core, RunVerdict* v) {
    bool usKeys = true, kedmaneeKeys = true;
    for (char16_t c : core) {
        usKeys = usKeys && IsUsKeyChar(c);
        kedmaneeKeys = kedmaneeKeys && IsKedmaneeKeyChar(c);
    }
    const size_t thai = CountThai(core);
    std::u16string converted(core);
    size_t letters = 0;
    if (usKeys) {
        // US keys: correct English, or Thai typed with the US layout on.
        const EnglishVerdict english = JudgeEnglish(core, &letters);
        if (english == kEnglish || english == kAcronym) return kCorrect;
        UsKeysToKedmanee(core.data(), core.size(), converted.data());
        const ThaiReading reading = ReadThai(converted);
        if (reading == kNotThai) return kUnsure;
        const bool sign = english == kNotEnglish && core.size() >= 3 && HasThaiLetterSign(core);
        v->direction = kToThai;
        v->clear = reading == kClearThai;
        if (sign || (english == kNotEnglish && reading == kClearThai)) {
            v->strength = kStrong;
        } else if (english == kNotEnglish && letters >= kLeastLettersOfWord) {
            v->strength = kLetters;
        } else {
            v->strength = kWeak;
        }
        return kWrong;
    }
    if (kedmaneeKeys && thai > 0) {
        // Kedmanee keys: correct Thai, or English typed with Kedmanee on. The
        // signs among the Thai (--help, currently-installed) were more likely
        // typed right than meant as the capitals and digits under them, so
        // the run is read with only its Thai put back first.
        if (ReadThai(core) != kNotThai) return kCorrect;
        std::u16string thaiOnly(core);
        for (char16_t& c : thaiOnly) c = IsThai(c) ? KedmaneeToUsKey(c) : c;
        KedmaneeKeysToUs(core.data(), core.size(), converted.data());
        size_t lettersAll = 0;
        const EnglishVerdict englishAll = JudgeEnglish(converted, &lettersAll);
        EnglishVerdict english = JudgeEnglish(thaiOnly, &letters);
        // Read with its signs typed right where only that gives English words,
        // or where the signs are hyphens (--help rather than 33help); a digit
        // key's sign (%./50s for %.250s) is otherwise taken as the digit.
        bool hyphens = true;
        for (size_t i = 0; i < core.size(); ++i) {
            hyphens = hyphens && (thaiOnly[i] == converted[i] || thaiOnly[i] == u'-');
        }
        const bool readsAll = englishAll == kEnglish || englishAll == kAcronym;
        v->thaiOnly = thaiOnly != converted && (english == kEnglish || english == kAcronym) &&
                      (!readsAll || (hyphens && letters >= lettersAll));
        if (!v->thaiOnly) {
            english = englishAll;
            letters = lettersAll;
        }
        if (english == kNotEnglish) return kUnsure;
        const bool spelled = IsThaiSpellingStrict(std::u32string(core.begin(), core.end()));
        v->direction = kToEnglish;
        const bool evident = english == kEnglish && ((letters >= 2 && !spelled) ||
                                                     letters >= kLeastLettersOfWord);
        v->strength = evident ? kStrong : kWeak;
        return kWrong;
    }
    // Keys of neither layout all through ('%s', ไฟล์:): only a shorter core can
    // be judged.
    return kUnsure;
}

RunVerdict JudgeRunCores(std::u16string_view line, size_t start, size_t length) {
    RunVerdict v{start, length};
    const std::u16string_view run = line.substr(start, length);
    if (length > kLongestRun || IsProtectedRun(run)) return v;
    // Edge signs that may be cut off each side.
    size_t leading = 0, trailing = 0;
    while (leading < kMostEdgeSigns && leading < run.size() &&
           kEdgeSigns.find(run[leading]) != std::u16string_view::npos) {
        ++leading;
    }
    while (trailing < kMostEdgeSigns && trailing < run.size() &&
           kEdgeSigns.find(run[run.size() - 1 - trailing]) != std::u16string_view::npos) {
        ++trailing;
    }
    // The longest core first for Thai: a sign that is a Thai letter's key
    // belongs to the core unless the core without it is what reads right. The
    // shortest for English: a sign around English typed under Kedmanee was
    // more likely typed as it is ("box." rather than "box\"").
    // A run in square brackets ("[gvar]") is judged inside them only, though
    // their keys are Thai letters.
    size_t open = 0, close = 0;  // the edge signs up to and with the brackets
    for (size_t i = 0; i < leading; ++i) open = run[i] == u'[' ? i + 1 : open;
    for (size_t i = 0; i < trailing; ++i) close = run[run.size() - 1 - i] == u']' ? i + 1 : close;
    const bool bracketed = open > 0 && close > 0;
    RunVerdict toEnglish = v;
    for (size_t cut = 0; cut <= leading + trailing; ++cut) {
        for (size_t p = cut < trailing ? 0 : cut - trailing; p <= cut && p <= leading; ++p) {
            const size_t s = cut - p;
            if (p + s >= run.size() || (bracketed && (p < open || s < close))) continue;
            RunVerdict core{start + p, length - p - s};
            const CoreVerdict verdict = JudgeCore(run.substr(p, length - p - s), &core);
            if (verdict == kCorrect) return v;
            if (verdict == kWrong && core.direction == kToThai) return core;
            if (verdict == kWrong) toEnglish = core;
        }
    }
    return toEnglish;
}

// Whether a run that stays as it is holds Latin letters that are no English:
// a word of another language, or a name, rather than Thai typed under US.
bool IsForeignRun(std::u16string_view run) {
    bool ascii = true, latin = false;
    for (char16_t c : run) {
        ascii = ascii && c < 0x80;
        latin = latin || IsAsciiLetter(c) || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
    }
    if (!latin) return false;
    size_t letters = 0;
    return !ascii || JudgeEnglish(run, &letters) == kNotEnglish;
}

RunVerdict JudgeRun(std::u16string_view line, size_t start, size_t length) {
    RunVerdict v = JudgeRunCores(line, start, length);
    if (v.direction == kKeep) {
        const std::u16string_view run = line.substr(start, length);
        size_t letters = 0;
        v.foreign = IsForeignRun(run);
        v.english = !v.foreign && JudgeEnglish(run, &letters) == kEnglish && letters >= 2;
    }
    return v;
}

}  // namespace

bool LoadRelayoutJudges(std::string* error) {
    if (!HasThaiDictionary()) {
        *error = "cannot open libthai's word dictionary";
        return false;
    }
    return LoadEnglishWords(error);
}

std::u16string RelayoutLineAuto(std::u16string_view line, RelayoutCounts* counts) {
    std::vector<RunVerdict> runs;
    size_t strong[3] = {};  // by direction: runs that are evidence on their own
    size_t wrong[3] = {};   // by direction: runs judged wrong at all
    size_t foreign = 0;
    size_t english = 0;
    for (size_t i = 0; i < line.size();) {
        if (IsRunSeparator(line[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < line.size() && !IsRunSeparator(line[end])) ++end;
        const RunVerdict v = JudgeRun(line, i, end - i);
        strong[v.direction] += v.strength == kStrong;
        wrong[v.direction] += v.strength != kNone;
        foreign += v.foreign;
        english += v.english;
        runs.push_back(v);
        i = end;
    }
    // In a line of English or other Latin words, a lone run is more likely a
    // name or an identifier (m68k, lbit) than Thai typed under US: only long
    // Thai words count there.
    const size_t latin = english + foreign;
    const bool englishLine = latin >= kEnglishLine && latin >= kEnglishLine * wrong[kToThai];
    // Letters alone are evidence beside another run put back to Thai, where
    // more runs read as Thai typed under US than as Latin words.
    const bool lettersCount = wrong[kToThai] > latin && (wrong[kToThai] >= 2 || strong[kToThai] > 0);
    bool put[3] = {};
    for (const RunVerdict& v : runs) {
        put[v.direction] = put[v.direction] || v.strength == kStrong || (v.strength == kLetters && lettersCount);
    }
    std::u16string out(line);
    for (const RunVerdict& v : runs) {
        if (v.direction == kKeep) continue;
        if (v.direction == kToThai && englishLine && !v.clear) continue;
        const Direction other = v.direction == kToThai ? kToEnglish : kToThai;
        bool change = false;
        switch (v.strength) {
            case kStrong: change = true; break;
            case kLetters: change = lettersCount; break;
            case kWeak: change = put[v.direction] && strong[other] == 0; break;
            case kNone: break;
        }
        if (!change) continue;
        char16_t* at = out.data() + v.start;
        if (v.direction == kToThai) {
            UsKeysToKedmanee(at, v.length, at);
            ++counts->toThai;
        } else {
            for (size_t k = 0; k < v.length; ++k) {
                if (!v.thaiOnly || IsThai(at[k])) at[k] = KedmaneeToUsKey(at[k]);
            }
            ++counts->toEnglish;
        }
    }
    return out;
}
