// relayout --auto's judging, line by line and run by run: what it puts back,
// and what it must leave as it is.
#include "relayout_auto.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "english_words.h"

namespace {

class RelayoutAuto : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadRelayoutJudges(&error)) << error;
    }
    std::u16string Auto(const char16_t* line) { return RelayoutLineAuto(line, &counts_); }
    RelayoutCounts counts_;
};

}  // namespace

TEST_F(RelayoutAuto, PutsBackWrongRunsAndLeavesRightOnes) {
    const struct {
        const char16_t* line;
        const char16_t* expected;
    } cases[] = {
        // Whole lines typed with the wrong layout, shifted keys among them.
        {u"l;ylfu", u"สวัสดี"},
        {u"4kKkwmp", u"ภาษาไทย"},
        {u"8;k,pk;lj;opjvp:", u"ความยาวส่วนย่อย:"},        // a colon typed as it is
        {u"Zlj;omuj.=hX", u"(ส่วนที่ใช้)"},                 // brackets from Kedmanee's keys
        {u"้ำสสน ะ้ำพำ", u"hello there"},
        {u"็ำสสน, ะ้ำพำ!", u"Hello, there!"},              // signs typed as they are
        {u"ะ้ำ ้ำสย ิีะะนื", u"the help button"},
        // Signs among English typed under Kedmanee: a hyphen typed right stays
        // one; a sign that Kedmanee gives on a digit's key is the digit.
        {u"--้ำสย แีพพำืะสั-รืหะฟสสำก", u"--help currently-installed"},
        {u"ะ้ำ อำพหรนื /ใจ", u"the version 2.0"},
        // One right and one wrong run in a line, each way round.
        {u"l;ylfu hello", u"สวัสดี hello"},
        {u"hello l;ylfu", u"hello สวัสดี"},
        {u"ภาษาไทย ้ำสสน", u"ภาษาไทย hello"},
        {u"ะ้ำ ภาษาไทย", u"the ภาษาไทย"},
        // Right as they are.
        {u"สวัสดี hello world", u"สวัสดี hello world"},
        {u"The quick brown fox, isn't it?", u"The quick brown fox, isn't it?"},
        {u"ไม่สามารถเปิดแฟ้ม %s ได้", u"ไม่สามารถเปิดแฟ้ม %s ได้"},
        // Names and identifiers among English, though they spell Thai words
        // typed under US (ทุคาม, ขอด, สิระ and พิระ, กรหะข้นนาม).
        {u"so m68k, et al, will rebuild", u"so m68k, et al, will rebuild"},
        {u"grep -vf w w", u"grep -vf w w"},
        {u"Cosmetic change for consistency between lbit and rbit.",
         u"Cosmetic change for consistency between lbit and rbit."},
        {u"In dist-hook, replaced complex code", u"In dist-hook, replaced complex code"},
        {u"[gvar] Optimize a loop", u"[gvar] Optimize a loop"},   // เอฟพล inside the brackets
        {u"gd,gm : INTEGER;", u"gd,gm : INTEGER;"},               // เกมเท
        {u"GetVersion() methods for udev and bdev", u"GetVersion() methods for udev and bdev"},
        // Valid both ways (ski is หาร, lit is สระ): left as they stand.
        {u"ski lit", u"ski lit"},
        {u"หาร สระ", u"หาร สระ"},
        // Numbers (5555 is ถถถถ, Thai laughter), URLs, e-mail, hashtags.
        {u"5555", u"5555"},
        {u"5555 l;ylfu", u"5555 สวัสดี"},
        {u"3.14 1,000 12:30 50% (1)", u"3.14 1,000 12:30 50% (1)"},
        {u"https://l;ylfu.com www.l;ylfu.com l;ylfu@mail.com #l;ylfu @l;ylfu",
         u"https://l;ylfu.com www.l;ylfu.com l;ylfu@mail.com #l;ylfu @l;ylfu"},
        // Short letters that are no English word are not evidence enough on
        // their own (fd, mv); beside a clear run they go the same way.
        {u"fd mv", u"fd mv"},
        {u"wfh", u"wfh"},
        {u"l;ylfu wfh", u"สวัสดี ได้"},
        {u"57'", u"57'"},                                  // no letters: ถึง only beside Thai
        {u"w,j57' l;ylfu", u"ไม่ถึง สวัสดี"},
        // Other scripts, and characters the other layout lacks.
        {u"Привет мир 日本語 café", u"Привет мир 日本語 café"},
        {u"~/.l;ylfu", u"~/.l;ylfu"},
        {u"๏l;ylfu", u"๏l;ylfu"},
        {u"ก๚ ้ำสสน๛", u"ก๚ ้ำสสน๛"},
        // Spaces, tabs and a CR before the LF stay where they are.
        {u"  l;ylfu\thello  \r", u"  สวัสดี\thello  \r"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Auto(c.line), c.expected) << "case " << (&c - cases);
    }
}

TEST_F(RelayoutAuto, CountsTheRunsItChangesByDirection) {
    Auto(u"l;ylfu hello ้ำสสน 4kKkwmp");
    EXPECT_EQ(counts_.toThai, 2u);
    EXPECT_EQ(counts_.toEnglish, 1u);
    Auto(u"hello สวัสดี");
    EXPECT_EQ(counts_.toThai, 2u);
    EXPECT_EQ(counts_.toEnglish, 1u);
}

TEST(EnglishWords, CaseFollowsTheList) {
    std::string error;
    ASSERT_TRUE(LoadEnglishWords(&error)) << error;
    EXPECT_TRUE(IsEnglishWord("hello"));
    EXPECT_TRUE(IsEnglishWord("Hello"));
    EXPECT_TRUE(IsEnglishWord("HELLO"));
    EXPECT_FALSE(IsEnglishWord("hELLO"));
    EXPECT_TRUE(IsEnglishWord("Linux"));
    EXPECT_TRUE(IsEnglishWord("LINUX"));
    EXPECT_FALSE(IsEnglishWord("linux"));  // a name keeps its capital
    EXPECT_FALSE(IsEnglishWord("l;ylfu"));
    EXPECT_FALSE(IsEnglishWord(""));
}
