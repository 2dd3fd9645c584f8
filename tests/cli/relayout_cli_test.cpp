// tolvane-cli relayout: its streaming, called in the process on temporary files
// (block boundaries, line ends, bad input), and whole runs of the built program
// for its command line, --report and the word list it needs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_run.h"
#include "relayout_cmd.h"
#include "stream.h"

namespace fs = std::filesystem;

namespace {

Streamed Relayout(RelayoutMode mode, const std::string& input, size_t blockSize = kDefaultBlockSize) {
    CliOptions options;
    options.command = kCmdRelayout;
    options.relayout = mode;
    options.blockSize = blockSize;
    return StreamThrough(options, input, RelayoutStream);
}

std::string Output(RelayoutMode mode, const std::string& input, size_t blockSize = kDefaultBlockSize) {
    Streamed r = Relayout(mode, input, blockSize);
    EXPECT_TRUE(r.ok) << r.error;
    return r.output;
}

const char kMixed[] =
    "l;ylfu hello\r\n"
    "ภาษาไทย ้ำสสน\n"
    "\n"
    "5555 https://example.com/l;ylfu\n"
    "ะ้ำ ้ำสย ิีะะนื\n"
    "8;k,pk;lj;opjvp: 😀 l;ylfu";

const char kMixedBack[] =
    "สวัสดี hello\r\n"
    "ภาษาไทย hello\n"
    "\n"
    "5555 https://example.com/l;ylfu\n"
    "the help button\n"
    "ความยาวส่วนย่อย: 😀 สวัสดี";

}  // namespace

TEST(RelayoutStream, EachModeOnSmallTexts) {
    EXPECT_EQ(Output(kRelayoutAuto, kMixed), kMixedBack);
    EXPECT_EQ(Output(kRelayoutToThai, "l;ylfu ~ 😀\r\n"), "สวัสดี ~ 😀\r\n");
    EXPECT_EQ(Output(kRelayoutToEnglish, "สวัสดี ๏ 😀\r\n"), "l;ylfu ๏ 😀\r\n");
    // A byte order mark at the start is not text.
    EXPECT_EQ(Output(kRelayoutToThai, "\xEF\xBB\xBFl;ylfu"), "สวัสดี");
    EXPECT_EQ(Output(kRelayoutAuto, "\xEF\xBB\xBFl;ylfu\n"), "สวัสดี\n");
    EXPECT_EQ(Output(kRelayoutAuto, ""), "");
}

TEST(RelayoutStream, EveryBlockSizeGivesTheSameResult) {
    // Every key, a character of four bytes and one of two, and line ends.
    std::string keys;
    for (char c = 33; c <= 126; ++c) keys += c;
    const std::string typed = keys + " 😀é\r\nl;ylfu hello\n" + keys;
    const std::string thai = Output(kRelayoutToThai, typed);
    for (size_t block = 1; block <= 40; ++block) {
        EXPECT_EQ(Output(kRelayoutAuto, kMixed, block), kMixedBack) << "block " << block;
        EXPECT_EQ(Output(kRelayoutToThai, typed, block), thai) << "block " << block;
        EXPECT_EQ(Output(kRelayoutToEnglish, thai, block), typed) << "block " << block;
    }
}

TEST(RelayoutStream, ALineLongerThanItHoldsIsJudgedInPiecesCutAtSpaces) {
    std::string line, back;
    for (int i = 0; i < 60000; ++i) {
        line += "l;ylfu hello ";
        back += "สวัสดี hello ";
    }
    EXPECT_EQ(Output(kRelayoutAuto, line + "\n"), back + "\n");
    // Without a space, it is cut where it must be, and stays as it is.
    const std::string word(300000, 'k');
    EXPECT_EQ(Output(kRelayoutAuto, word), word);
}

TEST(RelayoutStream, InvalidUtf8NamesItsByteAfterWritingWhatCameBefore) {
    const struct {
        RelayoutMode mode;
        const char* before;
    } cases[] = {
        {kRelayoutToThai, "้ำสสน\nสวัสดี"},
        {kRelayoutToEnglish, "hello\nl;ylfu"},
        {kRelayoutAuto, "hello\nสวัสดี"},  // the cut line is judged as it stands
    };
    for (const auto& c : cases) {
        for (size_t block : {kDefaultBlockSize, size_t{3}}) {
            Streamed r = Relayout(c.mode, "hello\nl;ylfu\xFFmore", block);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.error, "invalid UTF-8 at byte 12") << "mode " << c.mode << " block " << block;
            EXPECT_EQ(r.output, c.before) << "mode " << c.mode << " block " << block;
        }
    }
}

namespace {

class RelayoutProcess : public CliProcessTest {};

}  // namespace

TEST_F(RelayoutProcess, AutoWithReportAndOut) {
    EXPECT_EQ(Run("relayout --auto --report", kMixed), 0);
    EXPECT_EQ(out_, kMixedBack);
    EXPECT_EQ(err_, "tolvane-cli: relayout changed 7 runs: 3 to Thai, 4 to English\n");
    EXPECT_EQ(Run("relayout --auto --report", "hello สวัสดี\n"), 0);
    EXPECT_EQ(err_, "tolvane-cli: relayout changed 0 runs: 0 to Thai, 0 to English\n");
    EXPECT_EQ(Run("relayout --auto", "l;ylfu\n"), 0);
    EXPECT_EQ(err_, "");

    WriteFile(Work("in.txt"), "l;ylfu");
    EXPECT_EQ(Run("relayout -o out.txt --to-thai in.txt"), 0);
    EXPECT_EQ(ReadFile(Work("out.txt")), "สวัสดี");
    EXPECT_EQ(Run("relayout --to-english out.txt"), 0);
    EXPECT_EQ(out_, "l;ylfu");
}

TEST_F(RelayoutProcess, WrongCommandLinesExitWith2) {
    const struct {
        const char* args;
        const char* error;
    } cases[] = {
        {"relayout", "relayout needs one of --to-thai, --to-english, --auto"},
        {"relayout --to-thai --auto", "relayout takes only one of --to-thai, --to-english, --auto"},
        {"relayout --to-thai --report", "option --report applies to relayout --auto only"},
        {"relayout --auto --elevate", "option --elevate does not apply to 'relayout'"},
        {"to-tis620 --auto", "unknown option '--auto'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), 2) << c.args;
        EXPECT_EQ(err_, std::string("tolvane-cli: ") + c.error + "\n" + kUsageHint) << c.args;
    }
    EXPECT_EQ(Run("relayout --to-thai --to-thai", "l"), 0);  // the same one twice is no fault
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(out_.find("relayout (--to-thai | --to-english | --auto) [--report] [FILE]"), std::string::npos);
}

TEST_F(RelayoutProcess, AutoWithoutTheWordListFailsRatherThanGuess) {
    EXPECT_EQ(Run("relayout --auto", "l;ylfu\n", "TOLVANE_ENGLISH_WORDS=missing-words"), 1);
    EXPECT_EQ(err_, "tolvane-cli: cannot read the English word list 'missing-words'\n");
    EXPECT_EQ(out_, "");
    // The fixed directions need no list.
    EXPECT_EQ(Run("relayout --to-thai", "l;ylfu", "TOLVANE_ENGLISH_WORDS=missing-words"), 0);
    EXPECT_EQ(out_, "สวัสดี");
}
