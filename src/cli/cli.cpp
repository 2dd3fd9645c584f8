// The command line of tolvane-cli: the command, its options, the input and the
// output, and the temporary file that stands in for -o OUT until the end.
#include "cli.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <system_error>

#include "relayout_cmd.h"
#include "repair_cmd.h"
#include "stream.h"

#ifndef TOLVANE_VERSION
#define TOLVANE_VERSION "0"
#endif

namespace {

const char kUsage[] =
    "Usage: tolvane-cli COMMAND [OPTIONS] [FILE]\n"
    "\n"
    "Converts Thai text between code page 874 (TIS-620) and UTF-8, and writes and\n"
    "reads escapes. Reads FILE, or standard input when FILE is absent or \"-\";\n"
    "writes standard output, or OUT with -o.\n"
    "\n"
    "Commands:\n"
    "  to-unicode [FILE]             code page 874 bytes -> UTF-8\n"
    "  to-tis620 [--elevate] [FILE]  UTF-8 -> code page 874 bytes\n"
    "                                (--elevate: smart tone-mark elevation)\n"
    "  entities [FILE]               UTF-8 -> decimal numeric character references,\n"
    "                                one per character\n"
    "  percent [FILE]                UTF-8 -> %xx escapes of the code page 874 bytes\n"
    "  decode [FILE]                 UTF-8 with escapes -> UTF-8: %xx read as code\n"
    "                                page 874 bytes, &#NN; to &#NNNN; as characters\n"
    "  relayout (--to-thai | --to-english | --auto) [--report] [FILE]\n"
    "                                UTF-8 typed with the other keyboard layout on\n"
    "                                -> UTF-8: --to-thai reads US keys as Kedmanee\n"
    "                                ones, --to-english the reverse; --auto puts\n"
    "                                back, line by line, only the runs between\n"
    "                                spaces that were clearly typed with the wrong\n"
    "                                layout, and with --report tells how many on\n"
    "                                standard error (not in the Windows builds)\n"
    "  fix [--from utf-8|cp874] [--report] [FILE]\n"
    "                                garbled Thai lines repaired, written as UTF-8\n"
    "  detect [FILE...]              one line per input counting garbled lines\n"
    "\n"
    "Options:\n"
    "  -o OUT     write OUT: the result goes to a temporary file beside it, renamed\n"
    "             to OUT at the end, so a failure leaves no OUT and an existing OUT\n"
    "             as it was\n"
    "  --strict   to-tis620, percent: a character that code page 874 lacks is an\n"
    "             error instead of becoming '?'\n"
    "  --help     show this help\n"
    "  --version  show the version\n"
    "\n"
    "UTF-8 input must be valid; a byte order mark at its start is skipped.\n"
    "decode leaves in the text, as they are, what it does not read: escapes of the\n"
    "value 0 (%00, &#00;), references of one digit or of five or more (&#55357;,\n"
    "half of a surrogate pair, which UTF-8 cannot hold), and named or hexadecimal\n"
    "references.\n"
    "\n"
    "fix and detect: 'tolvane-cli fix --help' tells the kinds of garbled text,\n"
    "the report and the lines detect prints.\n"
    "\n"
    "Exit status: 0 done, 1 invalid input or a file that cannot be read or written,\n"
    "2 a wrong command line; detect: 0 nothing garbled, 3 something garbled.\n";

const char kUsageHint[] =
    "Usage: tolvane-cli COMMAND [OPTIONS] [FILE]; 'tolvane-cli --help' lists the commands.\n";

// The temporary file of -o while it is being written, removed if the program
// is interrupted. A fixed buffer: the signal handler must not allocate.
char g_tempPath[4096];

extern "C" void RemoveTempOnSignal(int sig) {
    if (g_tempPath[0] != '\0') std::remove(g_tempPath);
    std::_Exit(128 + sig);
}

struct Command {
    const char* name;
    CliCommand command;
};

constexpr Command kCommands[] = {
    {"to-unicode", kCmdToUnicode}, {"to-tis620", kCmdToTis620}, {"entities", kCmdEntities},
    {"percent", kCmdPercent},      {"decode", kCmdDecode},       {"relayout", kCmdRelayout},
};

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tolvane-cli: %s\n%s", message.c_str(), kUsageHint);
    return 2;
}

int Failure(const std::string& message) {
    std::fprintf(stderr, "tolvane-cli: %s\n", message.c_str());
    return 1;
}

std::string Quoted(const char* text) { return std::string("'") + text + "'"; }

// A name beside `out` that no file has yet.
std::string TempPathBeside(const std::string& out) {
    namespace fs = std::filesystem;
    const fs::path target(out);
    std::mt19937_64 random(static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count()) ^ std::random_device{}());
    for (;;) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08llx.tmp",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFu));
        std::string name = ".";
        name += target.filename().string();
        name += suffix;
        fs::path candidate = target;
        candidate.replace_filename(name);
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) return candidate.string();
    }
}

// Moves the finished temporary file onto OUT, keeping the permissions of an
// OUT that exists.
bool ReplaceOutput(const std::string& temp, const std::string& out, std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::file_status status = fs::status(out, ec);
    if (!ec && fs::is_regular_file(status)) fs::permissions(temp, status.permissions(), ec);
    ec.clear();
    fs::rename(temp, out, ec);
    if (ec) {
        *error = "cannot write " + Quoted(out.c_str()) + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

int PrintText(const char* text) {
    std::fputs(text, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int RunCli(int argc, char** argv) {
    if (argc < 2) return UsageError("missing command");
    if (IsRepairCommand(argv[1])) return RunRepairCommand(argc, argv);
    CliOptions options;
    const char* command = nullptr;
    const char* input = nullptr;
    const char* output = nullptr;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool isOption = IsOption(arg, optionsEnded);
        if (isOption && std::strcmp(arg, "--help") == 0) return PrintText(kUsage);
        if (isOption && std::strcmp(arg, "--version") == 0) return PrintText("tolvane-cli " TOLVANE_VERSION "\n");
        if (isOption && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (isOption && command == nullptr) {
            return UsageError("unknown option " + Quoted(arg));
        } else if (isOption && std::strcmp(arg, "--elevate") == 0) {
            if (options.command != kCmdToTis620) {
                return UsageError("option --elevate does not apply to " + Quoted(command));
            }
            options.elevate = true;
        } else if (isOption && std::strcmp(arg, "--strict") == 0) {
            if (options.command != kCmdToTis620 && options.command != kCmdPercent) {
                return UsageError("option --strict does not apply to " + Quoted(command));
            }
            options.strict = true;
        } else if (isOption && std::strcmp(arg, "-o") == 0) {
            if (i + 1 >= argc) return UsageError("option -o needs a file name");
            output = argv[++i];
        } else if (isOption && options.command == kCmdRelayout && ParseRelayoutOption(arg, &options)) {
            // taken by relayout
        } else if (isOption) {
            return UsageError("unknown option " + Quoted(arg));
        } else if (command == nullptr) {
            command = arg;
            bool known = false;
            for (const Command& c : kCommands) {
                if (std::strcmp(arg, c.name) == 0) {
                    options.command = c.command;
                    known = true;
                }
            }
            if (!known) return UsageError("unknown command " + Quoted(arg));
        } else if (input == nullptr) {
            input = arg;
        } else {
            return UsageError("more than one input file: " + Quoted(input) + ", " + Quoted(arg));
        }
    }
    if (command == nullptr) return UsageError("missing command");
    if (options.command == kCmdRelayout) {
        bool unavailable = false;
        const std::string fault = RelayoutCommandLineFault(options, &unavailable);
        if (unavailable) {
            std::fprintf(stderr, "tolvane-cli: %s\n", fault.c_str());
            return 2;
        }
        if (!fault.empty()) return UsageError(fault);
    }

    std::FILE* in = stdin;
    if (input != nullptr && std::strcmp(input, "-") != 0) {
        in = std::fopen(input, "rb");
        if (in == nullptr) return Failure("cannot open " + Quoted(input) + ": " + std::strerror(errno));
    }

    const int status = WriteOutput(output, [&](std::FILE* out, std::string* error) {
        return options.command == kCmdRelayout ? RelayoutStream(options, in, out, error)
                                               : ConvertStream(options, in, out, error);
    });
    if (in != stdin) std::fclose(in);
    return status;
}

int WriteOutput(const char* output, const std::function<bool(std::FILE*, std::string*)>& write) {
    std::FILE* out = stdout;
    std::string temp;
    if (output != nullptr) {
        temp = TempPathBeside(output);
        if (temp.size() < sizeof g_tempPath) {
            std::memcpy(g_tempPath, temp.c_str(), temp.size() + 1);
            std::signal(SIGINT, RemoveTempOnSignal);
            std::signal(SIGTERM, RemoveTempOnSignal);
        }
        out = std::fopen(temp.c_str(), "wb");
        if (out == nullptr) {
            g_tempPath[0] = '\0';
            return Failure("cannot create a file beside " + Quoted(output) + ": " +
                           std::strerror(errno));
        }
    }

    std::string error;
    bool ok = write(out, &error);
    if (out == stdout) {
        if (std::fflush(stdout) != 0 && ok) {
            error = std::string("cannot write the output: ") + std::strerror(errno);
            ok = false;
        }
        return ok ? 0 : Failure(error);
    }
    if (std::fclose(out) != 0 && ok) {
        error = "cannot write " + Quoted(output) + ": " + std::strerror(errno);
        ok = false;
    }
    if (ok) ok = ReplaceOutput(temp, output, &error);
    if (!ok) std::remove(temp.c_str());
    g_tempPath[0] = '\0';
    return ok ? 0 : Failure(error);
}
