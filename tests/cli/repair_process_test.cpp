// Whole runs of tolvane-cli fix and detect: what is repaired and what passes
// byte for byte, the choice of input encoding (also through a pipe), --report,
// -o, detect's lines and exit statuses, and lines too long to judge.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_run.h"

namespace fs = std::filesystem;

namespace {

class RepairProcess : public CliProcessTest {};

// A garbled line of each lossless kind between clean lines, CR LF kept.
const char kMixed[] =
    "Thai: สวัสดี\n"
    "ÊÇÑÊ´Õ\r\n"
    "répertoire\n"
    "เธชเธงเธฑเธชเธ”เธต\n"
    "à¸ªà¸§à¸±à¸ªà¸”à¸µ\n"
    "end without a line feed";

const char kMixedFixed[] =
    "Thai: สวัสดี\n"
    "สวัสดี\r\n"
    "répertoire\n"
    "สวัสดี\n"
    "สวัสดี\n"
    "end without a line feed";

TEST_F(RepairProcess, FixRepairsGarbledLinesAndPassesTheRest) {
    for (bool pipe : {false, true}) {
        EXPECT_EQ(Run("fix", kMixed, "", pipe), 0) << err_;
        EXPECT_EQ(out_, kMixedFixed);
        EXPECT_EQ(err_, "");
    }
    // A byte order mark is skipped.
    EXPECT_EQ(Run("fix", std::string("\xEF\xBB\xBF") + kMixed), 0);
    EXPECT_EQ(out_, kMixedFixed);
}

TEST_F(RepairProcess, ReportCountsKindsAndNamesLinesWithLostCharacters) {
    // Line 7 loses a character that no word restores: a lone consonant, and
    // line 8 one that the word การ restores.
    const std::string input =
        std::string(kMixed) + "\nเธ\xEF\xBF\xBDเธฒเธฃ 12 เธ\xEF\xBF\xBD\nเธ\xEF\xBF\xBDเธฒเธฃ\n";
    EXPECT_EQ(Run("fix --report", input), 0);
    EXPECT_EQ(out_, std::string(kMixedFixed) + "\nการ 12 \xEF\xBF\xBD\nการ\n");
    EXPECT_NE(err_.find("8 lines, 5 repaired (kind 1: 1, 2: 0, 3: 1, 4: 1, 5: 0, 6: 2)"),
              std::string::npos)
        << err_;
    EXPECT_NE(err_.find("1 characters could not be restored, on lines 7\n"), std::string::npos)
        << err_;
    // Without --report nothing is said.
    EXPECT_EQ(Run("fix", input), 0);
    EXPECT_EQ(err_, "");
}

TEST_F(RepairProcess, StandardInputIsReadFromWhereItStands) {
    // The shell's own read takes the first line; fix gets the rest of the
    // same open file and must not start over.
    WriteFile(Work("in.txt"), "first line\nÊÇÑÊ´Õ\n");
    const std::string command = "cd '" + Work("").string() + "' && { read -r skipped; '" TOLVANE_CLI_PATH
                                "' fix; } <in.txt >out.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFile(Work("out.txt")), "สวัสดี\n");
}

TEST_F(RepairProcess, Cp874InputIsConvertedAndRepaired) {
    // สวัสดี in code page 874 bytes, and a line of code page 874 bytes read as
    // Windows-1252 and saved as such: invalid UTF-8 as a whole.
    const std::string input = "\xCA\xC7\xD1\xCA\xB4\xD5\n\xCA\xC7\xD1\xCA\xB4\xD5\n";
    EXPECT_EQ(Run("fix --report", input), 0);
    EXPECT_EQ(out_, "สวัสดี\nสวัสดี\n");
    EXPECT_NE(err_.find("read as code page 874"), std::string::npos) << err_;
    // Forced the other way, the same bytes are invalid UTF-8 and pass unchanged.
    EXPECT_EQ(Run("fix --from utf-8", input), 0);
    EXPECT_EQ(out_, input);
    EXPECT_NE(err_.find("2 lines of invalid UTF-8 passed through unchanged"), std::string::npos);
    // Valid UTF-8 read as code page 874 on request.
    EXPECT_EQ(Run("fix --from cp874", "abc\n"), 0);
    EXPECT_EQ(out_, "abc\n");
}

TEST_F(RepairProcess, LineLongerThanOneMebibytePassesThrough) {
    std::string longLine(3u << 20, 'x');
    longLine.replace(1000, 12, "ÊÇÑÊ´Õ");
    const std::string input = longLine + "\nÊÇÑÊ´Õ\n";
    EXPECT_EQ(Run("fix --report", input), 0);
    EXPECT_EQ(out_, longLine + "\nสวัสดี\n");
    EXPECT_NE(err_.find("1 lines longer than 1 MiB"), std::string::npos) << err_;
}

TEST_F(RepairProcess, OutputFileIsWrittenWhole) {
    EXPECT_EQ(Run("fix -o out.txt", kMixed), 0);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(ReadFile(Work("out.txt")), kMixedFixed);
}

TEST_F(RepairProcess, DetectPrintsOneLinePerInputAndItsStatus) {
    WriteFile(Work("clean.txt"), "สวัสดี\nhello\n");
    WriteFile(Work("mixed.txt"), kMixed);
    WriteFile(Work("old.txt"), "\xCA\xC7\xD1\xCA\xB4\xD5\n");
    EXPECT_EQ(Run("detect clean.txt"), 0);
    EXPECT_EQ(out_, "encoding=utf-8 lines=2 kind1=0 kind2=0 kind3=0 kind4=0 kind5=0 kind6=0 lost=0 "
                    "malformed=0 file=clean.txt\n");
    EXPECT_EQ(Run("detect clean.txt mixed.txt old.txt"), 3);
    EXPECT_NE(out_.find("encoding=utf-8 lines=6 kind1=1 kind2=0 kind3=1 kind4=1 kind5=0 kind6=0 "
                        "lost=0 malformed=0 file=mixed.txt\n"),
              std::string::npos)
        << out_;
    EXPECT_NE(out_.find("encoding=cp874 lines=1 kind1=0"), std::string::npos) << out_;
    EXPECT_EQ(Run("detect", kMixed, "", true), 3);
    EXPECT_NE(out_.find("file=-\n"), std::string::npos);
    // A file that cannot be read is an error; the others are still reported.
    EXPECT_EQ(Run("detect missing.txt clean.txt"), 1);
    EXPECT_NE(err_.find("cannot open 'missing.txt'"), std::string::npos);
    EXPECT_NE(out_.find("file=clean.txt"), std::string::npos);
}

TEST_F(RepairProcess, HelpTellsTheKindsAndDetectsLines) {
    for (const char* args : {"fix --help", "detect --help"}) {
        EXPECT_EQ(Run(args), 0) << args;
        EXPECT_NE(out_.find("  6 UTF-8 read as code page 874 with the undefined bytes lost"), std::string::npos);
        EXPECT_NE(out_.find("encoding=utf-8|cp874 lines=N kind1=N"), std::string::npos);
    }
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(out_.find("'tolvane-cli fix --help'"), std::string::npos);
}

TEST_F(RepairProcess, WrongCommandLinesExitWith2) {
    for (const char* args : {"fix --from latin1", "fix --from", "fix a b", "detect --report",
                             "fix --elevate"}) {
        EXPECT_EQ(Run(args), 2) << args;
        EXPECT_NE(err_.find("tolvane-cli: "), std::string::npos) << args;
    }
}

}  // namespace
