// fix and detect. The input is UTF-8 when all of it is valid UTF-8, else code
// page 874: a first pass decides (over a temporary copy when the input is a
// pipe), the second reads lines and hands each one to the engine. Clean lines
// are written in long runs straight from the input block.
#include "repair_cmd.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "cli.h"
#include "cp874.h"
#include "stream.h"
#include "utf8.h"

#ifdef TOLVANE_HAVE_REPAIR
#include "repair.h"
#endif

namespace {

const char kFixHint[] =
    "Usage: tolvane-cli fix [--from utf-8|cp874] [--report] [-o OUT] [FILE]\n"
    "       tolvane-cli detect [FILE...]\n";

const char kFixUsage[] =
    "Usage: tolvane-cli fix [--from utf-8|cp874] [--report] [-o OUT] [FILE]\n"
    "       tolvane-cli detect [FILE...]\n"
    "\n"
    "fix reads UTF-8 when the whole input is valid UTF-8, else code page 874\n"
    "(--from forces either), and writes UTF-8. Each line is judged alone: a line\n"
    "garbled in one of these kinds becomes its repair, every other line passes\n"
    "through as it is:\n"
    "  1 code page 874 read as Windows-1252 or Latin-1\n"
    "  2 code page 874 read as another single-byte code page (Windows-1250,\n"
    "    -1251, -1253, -1254, -1257, ISO-8859-2)\n"
    "  3 UTF-8 read as code page 874\n"
    "  4 UTF-8 read as Windows-1252 or Latin-1\n"
    "  5 UTF-8 read as Windows-1252 twice\n"
    "  6 UTF-8 read as code page 874 with the undefined bytes lost (U+FFFD or\n"
    "    dropped): the lost characters are chosen by spelling, the dictionary\n"
    "    and letter statistics, and stay U+FFFD where nothing decides\n"
    "--report writes to standard error the lines repaired of each kind and the\n"
    "numbers of the lines that still hold U+FFFD for lost characters. Lines of\n"
    "invalid UTF-8 (with --from utf-8) and lines longer than 1 MiB pass through\n"
    "unchanged, counted in a warning.\n"
    "detect prints for each input one line of fields separated by spaces:\n"
    "  encoding=utf-8|cp874 lines=N kind1=N ... kind6=N lost=N malformed=N file=NAME\n"
    "(kindK: garbled lines of kind K; lost: characters beyond restoring;\n"
    "malformed: lines of invalid UTF-8 or longer than 1 MiB; NAME runs to the end\n"
    "of the line, \"-\" for standard input). fix and detect need libthai: the\n"
    "Windows builds lack them.\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tolvane-cli: %s\n%s", message.c_str(), kFixHint);
    return 2;
}

std::string Quoted(const char* text) { return std::string("'") + text + "'"; }

}  // namespace

bool IsRepairCommand(const char* command) {
    return std::strcmp(command, "fix") == 0 || std::strcmp(command, "detect") == 0;
}

#ifdef TOLVANE_HAVE_REPAIR

namespace {

// Whether everything `in` holds from where it stands is UTF-8; goes back
// there. A pipe is first copied to a temporary file, which then stands in for
// it (*in changes).
bool GuessUtf8(std::FILE** in, bool* utf8, std::string* error) {
    std::FILE* source = *in;
    std::FILE* copy = nullptr;
    // Where the input stands now, which need not be its start (a shell may
    // hand over a file that something else has begun to read).
    const long start = std::ftell(source);
    if (start < 0 || std::fseek(source, start, SEEK_SET) != 0) {
        copy = std::tmpfile();
        if (copy == nullptr) {
            *error = std::string("cannot create a temporary file: ") + std::strerror(errno);
            return false;
        }
    }
    const size_t block = 64 * 1024;
    std::vector<unsigned char> bytes(block + 4);
    std::vector<char16_t> units(block + 4);
    size_t carried = 0;
    bool valid = true, atEnd = false;
    while (!atEnd) {
        size_t got = 0;
        if (!ReadBlock(source, bytes.data() + carried, block, &got, &atEnd, error)) {
            if (copy) std::fclose(copy);
            return false;
        }
        if (copy && got > 0 && std::fwrite(bytes.data() + carried, 1, got, copy) != got) {
            *error = std::string("cannot write a temporary file: ") + std::strerror(errno);
            std::fclose(copy);
            return false;
        }
        const size_t have = carried + got;
        if (!valid) continue;  // a pipe is still copied to its end
        const Utf8Decoded d = Utf8ToUtf16(bytes.data(), have, atEnd, units.data());
        if (d.invalid) {
            valid = false;
            if (!copy) break;
            continue;
        }
        carried = have - d.read;
        std::memmove(bytes.data(), bytes.data() + d.read, carried);
    }
    *utf8 = valid;
    if (copy) *in = copy;
    if (std::fseek(*in, copy ? 0 : start, SEEK_SET) != 0) {
        *error = std::string("cannot read the input: ") + std::strerror(errno);
        return false;
    }
    return true;
}

// Code page 874 bytes as UTF-8, appended to *out.
void AppendCp874AsUtf8(const unsigned char* bytes, size_t count, std::string* out) {
    std::vector<char16_t> units(count);
    Cp874ToUtf16(bytes, count, units.data());
    const size_t at = out->size();
    out->resize(at + kUtf8BytesPerUnit * count);
    const size_t n = Utf16ToUtf8(units.data(), count, reinterpret_cast<unsigned char*>(out->data() + at));
    out->resize(at + n);
}

bool IsValidUtf8(const unsigned char* bytes, size_t count, std::vector<char16_t>* scratch) {
    if (scratch->size() < count) scratch->resize(count);
    return !Utf8ToUtf16(bytes, count, true, scratch->data()).invalid;
}

// What the line-by-line pass keeps across lines.
struct LinePass {
    std::FILE* out;
    bool utf8;
    RepairCounts* counts;
    std::string converted;          // a code page 874 line as UTF-8
    std::vector<char16_t> scratch;  // for UTF-8 checks
};

// Judges one whole line (without its end) and counts it. Returns whether
// something else must be written in its place, which is then in *repaired:
// its repair, or (code page 874 input) the line as UTF-8. A line that stands
// as it is in UTF-8 returns false and is written from the input.
bool JudgeLine(LinePass& pass, const unsigned char* line, size_t size, std::string* repaired) {
    RepairCounts& counts = *pass.counts;
    ++counts.lines;
    std::string_view text(reinterpret_cast<const char*>(line), size);
    if (!pass.utf8) {
        pass.converted.clear();
        AppendCp874AsUtf8(line, size, &pass.converted);
        text = pass.converted;
    } else if (IsLineCertainlyClean(text)) {
        return false;
    } else if (!IsValidUtf8(line, size, &pass.scratch)) {
        ++counts.malformed;
        return false;
    }
    RepairedLine r = RepairLine(text);
    if (r.kind == kRepairNone) {
        if (!pass.utf8) *repaired = pass.converted;
        return !pass.utf8;
    }
    ++counts.repaired[r.kind];
    if (r.lost > 0) {
        counts.lost += r.lost;
        if (!counts.lostLines.empty()) counts.lostLines += ' ';
        counts.lostLines += std::to_string(counts.lines);
    }
    *repaired = std::move(r.text);
    return true;
}

// One line of detect: the fields named in the usage text.
void PrintDetected(const RepairCounts& c, const char* name) {
    std::printf("encoding=%s lines=%zu kind1=%zu kind2=%zu kind3=%zu kind4=%zu kind5=%zu kind6=%zu "
                "lost=%zu malformed=%zu file=%s\n",
                c.utf8 ? "utf-8" : "cp874", c.lines, c.repaired[1], c.repaired[2], c.repaired[3],
                c.repaired[4], c.repaired[5], c.repaired[6], c.lost, c.malformed + c.tooLong, name);
}

void PrintReport(const RepairCounts& c) {
    size_t total = 0;
    for (int k = 1; k <= 6; ++k) total += c.repaired[k];
    std::fprintf(stderr,
                 "tolvane-cli fix: read as %s, %zu lines, %zu repaired (kind 1: %zu, 2: %zu, 3: %zu, "
                 "4: %zu, 5: %zu, 6: %zu)\n",
                 c.utf8 ? "UTF-8" : "code page 874", c.lines, total, c.repaired[1], c.repaired[2],
                 c.repaired[3], c.repaired[4], c.repaired[5], c.repaired[6]);
    if (c.lost > 0) {
        std::fprintf(stderr, "tolvane-cli fix: %zu characters could not be restored, on lines %s\n",
                     c.lost, c.lostLines.c_str());
    }
}

void WarnPassedThrough(const RepairCounts& c) {
    if (c.malformed > 0) {
        std::fprintf(stderr, "tolvane-cli fix: %zu lines of invalid UTF-8 passed through unchanged\n",
                     c.malformed);
    }
    if (c.tooLong > 0) {
        std::fprintf(stderr, "tolvane-cli fix: %zu lines longer than 1 MiB passed through unchanged\n",
                     c.tooLong);
    }
}

std::FILE* OpenInput(const char* name, std::string* error) {
    if (name == nullptr || std::strcmp(name, "-") == 0) return stdin;
    std::FILE* in = std::fopen(name, "rb");
    if (in == nullptr) *error = "cannot open " + Quoted(name) + ": " + std::strerror(errno);
    return in;
}

}  // namespace

bool RepairStream(std::FILE* in, RepairInput from, std::FILE* out, RepairCounts* counts,
                  std::string* error, size_t blockSize) {
    std::FILE* source = in;
    bool utf8 = from != kInputCp874;
    if (from == kInputGuess && !GuessUtf8(&source, &utf8, error)) return false;
    counts->utf8 = utf8;
    LinePass pass{out, utf8, counts, {}, {}};

    // buffer[0, used): bytes read and not yet handled; the line in progress
    // starts at buffer[0]. A line longer than kMaxRepairLine is written as it
    // comes (converted from code page 874) and never judged.
    std::vector<unsigned char> buffer(blockSize + kMaxRepairLine + 2);
    size_t used = 0;
    bool atEnd = false, started = false, passing = false;
    std::string repaired, converted;
    auto fail = [&](std::string message) {
        *error = std::move(message);
        if (source != in) std::fclose(source);
        return false;
    };
    // Writes bytes of the input as they stand (UTF-8) or converted.
    auto passThrough = [&](const unsigned char* data, size_t size) {
        if (utf8) return WriteAll(out, data, size, error);
        converted.clear();
        AppendCp874AsUtf8(data, size, &converted);
        return WriteAll(out, converted.data(), converted.size(), error);
    };
    while (!atEnd || used > 0) {
        if (!atEnd) {
            size_t got = 0;
            if (!ReadBlock(source, buffer.data() + used, blockSize, &got, &atEnd, error)) return fail(*error);
            used += got;
        }
        size_t p = 0;
        if (!started && used >= (atEnd ? 0 : 3)) {
            started = true;
            if (utf8 && used >= 3 && std::memcmp(buffer.data(), "\xEF\xBB\xBF", 3) == 0) p = 3;
        }
        size_t cleanFrom = p;  // start of the run of lines written as they are
        while (p < used) {
            const auto* nl = static_cast<const unsigned char*>(std::memchr(buffer.data() + p, '\n', used - p));
            if (passing) {
                // The rest of a line too long to judge goes as it comes.
                p = nl ? static_cast<size_t>(nl - buffer.data()) + 1 : used;
                passing = nl == nullptr;
                continue;
            }
            if (nl == nullptr && !atEnd) break;
            const size_t lineEnd = nl ? static_cast<size_t>(nl - buffer.data()) : used;
            const size_t next = nl ? lineEnd + 1 : used;
            size_t contentEnd = lineEnd;
            if (nl && contentEnd > p && buffer[contentEnd - 1] == '\r') --contentEnd;
            if (JudgeLine(pass, buffer.data() + p, contentEnd - p, &repaired)) {
                if (!passThrough(buffer.data() + cleanFrom, p - cleanFrom) ||
                    !WriteAll(out, repaired.data(), repaired.size(), error) ||
                    !WriteAll(out, buffer.data() + contentEnd, next - contentEnd, error)) {
                    return fail(*error);
                }
                cleanFrom = next;
            }
            p = next;
        }
        if (!passThrough(buffer.data() + cleanFrom, p - cleanFrom)) return fail(*error);
        // What is left is a line still in progress.
        const size_t rest = used - p;
        std::memmove(buffer.data(), buffer.data() + p, rest);
        used = rest;
        if (!passing && used > kMaxRepairLine) {
            ++counts->lines;
            ++counts->tooLong;
            passing = true;
            if (!passThrough(buffer.data(), used)) return fail(*error);
            used = 0;
        }
        if (atEnd && used == 0) break;
    }
    if (source != in) std::fclose(source);
    return true;
}

#endif

int RunRepairCommand(int argc, char** argv) {
    const bool detect = std::strcmp(argv[1], "detect") == 0;
    RepairInput from = kInputGuess;
    bool report = false;
    const char* output = nullptr;
    std::vector<const char*> inputs;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const char* arg = argv[i];
        const bool isOption = IsOption(arg, optionsEnded);
        if (isOption && std::strcmp(arg, "--help") == 0) return PrintText(kFixUsage);
        if (!isOption) {
            inputs.push_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!detect && std::strcmp(arg, "--from") == 0) {
            if (i + 1 >= argc) return UsageError("option --from needs utf-8 or cp874");
            const char* value = argv[++i];
            if (std::strcmp(value, "utf-8") == 0 || std::strcmp(value, "utf8") == 0) {
                from = kInputUtf8;
            } else if (std::strcmp(value, "cp874") == 0 || std::strcmp(value, "tis-620") == 0) {
                from = kInputCp874;
            } else {
                return UsageError("option --from takes utf-8 or cp874, not " + Quoted(value));
            }
        } else if (!detect && std::strcmp(arg, "--report") == 0) {
            report = true;
        } else if (!detect && std::strcmp(arg, "-o") == 0) {
            if (i + 1 >= argc) return UsageError("option -o needs a file name");
            output = argv[++i];
        } else {
            return UsageError("unknown option " + Quoted(arg) + " for " + Quoted(argv[1]));
        }
    }
    if (!detect && inputs.size() > 1) {
        return UsageError("more than one input file: " + Quoted(inputs[0]) + ", " + Quoted(inputs[1]));
    }
#ifndef TOLVANE_HAVE_REPAIR
    (void)from;
    (void)report;
    (void)output;
    std::fprintf(stderr, "tolvane-cli: %s needs libthai, which this build of tolvane-cli lacks\n", argv[1]);
    return 2;
#else
    std::string error;
    if (detect) {
        if (inputs.empty()) inputs.push_back("-");
        int status = 0;
        for (const char* name : inputs) {
            std::FILE* in = OpenInput(name, &error);
            RepairCounts counts;
            const bool ok = in != nullptr && RepairStream(in, kInputGuess, nullptr, &counts, &error);
            if (in != nullptr && in != stdin) std::fclose(in);
            if (!ok) {
                std::fprintf(stderr, "tolvane-cli: %s\n", error.c_str());
                status = 1;
                continue;
            }
            PrintDetected(counts, name);
            size_t garbled = counts.lost;
            for (int k = 1; k <= 6; ++k) garbled += counts.repaired[k];
            if (garbled > 0 && status == 0) status = 3;
        }
        if (std::fflush(stdout) != 0) status = 1;
        return status;
    }
    std::FILE* in = OpenInput(inputs.empty() ? nullptr : inputs[0], &error);
    if (in == nullptr) {
        std::fprintf(stderr, "tolvane-cli: %s\n", error.c_str());
        return 1;
    }
    RepairCounts counts;
    const int status = WriteOutput(output, [&](std::FILE* out, std::string* writeError) {
        return RepairStream(in, from, out, &counts, writeError);
    });
    if (in != stdin) std::fclose(in);
    WarnPassedThrough(counts);
    if (report && status == 0) PrintReport(counts);
    return status;
#endif
}
