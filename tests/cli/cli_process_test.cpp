// Whole runs of the built tolvane-cli: the command line, exit statuses, files,
// -o and its temporary file, and a file of several blocks.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "cli_run.h"
#include "cli_test_util.h"
#include "same.h"
#include "stream.h"

namespace fs = std::filesystem;

namespace {

class CliProcess : public CliProcessTest {
protected:
    // The names in the work folder, sorted.
    std::string WorkFiles() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_ / "work")) {
            names.insert(entry.path().filename().string());
        }
        std::string list;
        for (const auto& n : names) list += n + " ";
        return list;
    }
};

TEST_F(CliProcess, WrongCommandLinesExitWith2AndNameTheFault) {
    const struct {
        const char* args;
        const char* error;
    } cases[] = {
        {"", "missing command"},
        {"frobnicate", "unknown command 'frobnicate'"},
        {"--bogus", "unknown option '--bogus'"},
        {"to-unicode --bogus", "unknown option '--bogus'"},
        {"to-unicode -x", "unknown option '-x'"},
        {"decode --strict", "option --strict does not apply to 'decode'"},
        {"percent --elevate", "option --elevate does not apply to 'percent'"},
        {"to-unicode -o", "option -o needs a file name"},
        {"to-unicode a b", "more than one input file: 'a', 'b'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), 2) << c.args;
        EXPECT_EQ(err_, std::string("tolvane-cli: ") + c.error + "\n" + kUsageHint) << c.args;
        EXPECT_EQ(out_, "") << c.args;
    }
}

TEST_F(CliProcess, HelpAndVersion) {
    for (const char* args : {"--help", "to-tis620 --help"}) {
        EXPECT_EQ(Run(args), 0);
        EXPECT_EQ(out_.rfind("Usage: tolvane-cli COMMAND [OPTIONS] [FILE]\n", 0), 0u) << args;
        for (const char* command : {"to-unicode", "to-tis620", "entities", "percent", "decode",
                                    "--elevate", "--strict", "-o OUT", "&#55357;"}) {
            EXPECT_NE(out_.find(command), std::string::npos) << command;
        }
        EXPECT_EQ(err_, "");
    }
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(out_.rfind("tolvane-cli ", 0), 0u);
    EXPECT_EQ(out_.find('\n'), out_.size() - 1);
}

TEST_F(CliProcess, ReadsAFileOrStandardInput) {
    WriteFile(Work("in.txt"), "\xA1\xE8\xD2");
    EXPECT_EQ(Run("to-unicode in.txt"), 0);
    EXPECT_EQ(out_, "ก่า");
    EXPECT_EQ(Run("to-unicode -", "\xA1"), 0);
    EXPECT_EQ(out_, "ก");
    EXPECT_EQ(Run("to-unicode", "\xA1"), 0);
    EXPECT_EQ(out_, "ก");
    EXPECT_EQ(Run("percent -- -", "ก"), 0);  // after "--", "-" is still standard input
    EXPECT_EQ(out_, "%a1");
}

TEST_F(CliProcess, BadInputExitsWith1) {
    EXPECT_EQ(Run("entities", "ab\xC3("), 1);
    EXPECT_EQ(err_, "tolvane-cli: invalid UTF-8 at byte 2\n");
    EXPECT_EQ(Run("to-tis620 --strict", "abcé"), 1);
    EXPECT_EQ(err_, "tolvane-cli: U+00E9 at byte 3 has no code page 874 byte\n");
    EXPECT_EQ(Run("to-tis620", "abcé"), 0);
    EXPECT_EQ(out_, "abc?");
    EXPECT_EQ(Run("to-unicode missing.txt"), 1);
    EXPECT_EQ(err_.rfind("tolvane-cli: cannot open 'missing.txt': ", 0), 0u) << err_;
}

TEST_F(CliProcess, OutputGoesToOutThroughATemporaryFile) {
    EXPECT_EQ(Run("to-unicode -o out.txt", "\xA1"), 0);
    EXPECT_EQ(ReadFile(Work("out.txt")), "ก");
    EXPECT_EQ(out_, "");
    EXPECT_EQ(WorkFiles(), "out.txt ");
    // An existing OUT is replaced, and may be the input itself.
    EXPECT_EQ(Run("to-tis620 -o out.txt out.txt"), 0);
    EXPECT_EQ(ReadFile(Work("out.txt")), "\xA1");
    EXPECT_EQ(WorkFiles(), "out.txt ");
}

TEST_F(CliProcess, AFailureLeavesNoOutAndAnExistingOutUntouched) {
    EXPECT_EQ(Run("decode -o out.txt", "ok\xFF"), 1);
    EXPECT_EQ(err_, "tolvane-cli: invalid UTF-8 at byte 2\n");
    EXPECT_EQ(WorkFiles(), "");

    WriteFile(Work("out.txt"), "before");
    EXPECT_EQ(Run("percent --strict -o out.txt", std::string(200000, 'a') + "é"), 1);
    EXPECT_EQ(ReadFile(Work("out.txt")), "before");
    EXPECT_EQ(WorkFiles(), "out.txt ");

    EXPECT_EQ(Run("to-unicode -o out.txt missing.txt"), 1);
    EXPECT_EQ(ReadFile(Work("out.txt")), "before");
    EXPECT_EQ(WorkFiles(), "out.txt ");

    EXPECT_EQ(Run("to-unicode -o no/such/folder/out.txt", "a"), 1);
    EXPECT_EQ(WorkFiles(), "out.txt ");
    // OUT a folder: the rename fails, and the temporary file goes.
    fs::create_directory(Work("folder"));
    WriteFile(Work("folder/keep"), "");
    EXPECT_EQ(Run("to-unicode -o folder", "a"), 1);
    EXPECT_EQ(WorkFiles(), "folder out.txt ");
}

TEST_F(CliProcess, AnInterruptedRunLeavesNoTemporaryFile) {
    // The input never ends (a pipe that this shell also holds open for
    // writing); once the temporary file is there, the program is told to stop.
    const std::string script = "cd '" + (dir_ / "work").string() +
                               "' && mkfifo in.fifo && exec 3<>in.fifo && { '" TOLVANE_CLI_PATH
                               "' to-unicode -o out.txt <in.fifo & pid=$!; "
                               "n=0; until ls -A | grep -q tmp || [ $n -ge 200 ]; do "
                               "sleep 0.05; n=$((n + 1)); done; "
                               "kill -TERM $pid; wait $pid; status=$?; rm in.fifo; "
                               "exit $status; } 2>/dev/null";
    int status = std::system(script.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
    EXPECT_EQ(WorkFiles(), "");
}

// A file of several blocks at the program's own block size, with an escape, a
// UTF-8 sequence and a tone mark after its upper vowel each cut by a block
// boundary; the result must equal a conversion in one block.
TEST_F(CliProcess, BoundariesOfTheProgramsBlocksCutNothing) {
    const size_t block = kDefaultBlockSize;
    std::string text(block - 1, 'a');
    text += "%a1";                                   // the escape starts 1 byte before the boundary
    text += std::string(2 * block - text.size() - 1, 'b');
    text += "ก";                                     // 3 bytes from 1 before the second boundary
    text += std::string(3 * block - text.size() - 6, 'c');
    text += "กิ่";                                   // the upper vowel ends at the third boundary
    text += std::string(1000, 'd');
    ASSERT_EQ(text.substr(3 * block - 3, 3), "ิ");
    WriteFile(Work("big.txt"), text);

    std::string expected = text;
    expected.replace(block - 1, 3, "ก");
    EXPECT_EQ(Run("decode big.txt"), 0);
    EXPECT_TRUE(SameText(out_, expected));

    std::string elevated = std::string(block - 1, 'a') + "%a1" + std::string(block - 3, 'b');
    elevated += "\xA1" + std::string(block - 8, 'c') + "\xA1\xD4\xE8";
    elevated += std::string(1000, 'd');
    EXPECT_EQ(Run("to-tis620 --elevate big.txt"), 0);
    EXPECT_TRUE(SameText(out_, elevated));
    EXPECT_EQ(Run("entities big.txt"), 0);
    EXPECT_EQ(out_.substr(out_.size() - 6000 - 21, 21), "&#3585;&#3636;&#3656;");
}

}  // namespace
