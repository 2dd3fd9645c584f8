// The five commands on the main dialog built from the program's own resources,
// under whichever ANSI code page the run chose (Windows-1252 or 874): what each
// command makes of the text. Undo, long texts and running out of memory are
// tested on the same dialog in main_window_test.cpp.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "convert.h"
#include "resource.h"
#include "ui.h"
#include "wine_quirks.h"

namespace {

using Command = void (*)(HWND);

bool AnsiIsThai() { return GetACP() == 874; }

class CommandTest : public testing::Test {
protected:
    void SetUp() override {
        g_hInstance = GetModuleHandleW(nullptr);
        dlg_ = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0);
        ASSERT_NE(dlg_, nullptr);
        box_ = GetDlgItem(dlg_, IDC_TEXT);
        check_ = GetDlgItem(dlg_, IDC_SMART_TONE);
        ASSERT_NE(box_, nullptr);
        ASSERT_NE(check_, nullptr);
    }
    void TearDown() override { DestroyWindow(dlg_); }

    void SetText(const std::wstring& text) { SetWindowTextW(box_, text.c_str()); }
    std::wstring Text() {
        std::wstring text(GetWindowTextLengthW(box_) + 1, L'\0');
        text.resize(GetWindowTextW(box_, text.data(), static_cast<int>(text.size())));
        return text;
    }
    void Tick(bool ticked) { SendMessageW(check_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0); }
    std::wstring Run(Command command, const std::wstring& text) {
        SetText(text);
        command(dlg_);
        return Text();
    }
    // What the ANSI code page gives a byte text, as the box shows the byte view.
    static std::wstring ByteView(const std::string& bytes) {
        std::wstring out(bytes.size() + 1, L'\0');
        out.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                       out.data(), static_cast<int>(out.size())));
        return out;
    }

    HWND dlg_ = nullptr;
    HWND box_ = nullptr;
    HWND check_ = nullptr;
};

const Command kAllCommands[] = {ConvertToUnicode, ConvertToTis620, EncodeEntities, EncodePercent,
                                DecodeEscapes};

}  // namespace

TEST_F(CommandTest, EmptyBoxStaysEmpty) {
    for (bool ticked : {false, true}) {
        Tick(ticked);
        for (Command command : kAllCommands) EXPECT_EQ(Run(command, L""), L"");
    }
}

TEST_F(CommandTest, AsciiAndLineBreaksSurviveBothCodePageCommands) {
    const std::wstring text = L"Hello, world 123!\r\nsecond line ~";
    for (bool ticked : {false, true}) {
        Tick(ticked);
        EXPECT_EQ(Run(ConvertToUnicode, text), text);
        EXPECT_EQ(Run(ConvertToTis620, text), text);
    }
}

TEST_F(CommandTest, ToTis620WritesTheByteViewAndElevatesOnlyWhenTicked) {
    EXPECT_EQ(Run(ConvertToTis620, L"\u0E01\u0E48"), ByteView("\xA1\xE8"));
    Tick(true);
    EXPECT_EQ(Run(ConvertToTis620, L"\u0E01\u0E48"), ByteView("\xA1\x88"));
    if (!kWineCrashesOnLoneThaiMarks) {
        EXPECT_EQ(Run(ConvertToTis620, L"\u0E48\u0E01\u0E48"), ByteView("\xE8\xA1\x88"));
        // A character the code page lacks is replaced, and the mark after it rises.
        EXPECT_EQ(Run(ConvertToTis620, L"\u00E9\u0E48\U0001F600"), ByteView("?\x88?"));
    }
    EXPECT_EQ(Run(ConvertToTis620, L"\u0E01\u0E34\u0E48"), ByteView("\xA1\xD4\xE8"));
    if (!AnsiIsThai()) {
        Tick(false);
        EXPECT_EQ(Run(ConvertToTis620, L"\u0E01\u0E48"), L"\u00A1\u00E8");
        Tick(true);
        EXPECT_EQ(Run(ConvertToTis620, L"\u0E01\u0E48"), L"\u00A1\u02C6");
    }
}

TEST_F(CommandTest, CheckBoxAloneChangesNothing) {
    SetText(L"\u0E01\u0E48");
    SendMessageW(check_, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_SMART_TONE), BST_CHECKED);
    EXPECT_EQ(Text(), L"\u0E01\u0E48");
}

TEST_F(CommandTest, ToUnicodeReadsTheByteViewAndKeepsUnicodeThai) {
    const std::wstring thai = L"\u0E01\u0E48\u0E32 \u0E02\u0E49\u0E32\u0E27\r\n";
    for (bool ticked : {false, true}) {
        Tick(ticked);
        // Thai in the Unicode view passes through, so a second press changes nothing.
        EXPECT_EQ(Run(ConvertToUnicode, thai), thai);
        // Both views of the same text, the elevated marks included, come back as Thai.
        EXPECT_EQ(Run(ConvertToUnicode, ByteView("\xA1\xE8\xD2 \xA2\xE9\xD2\xC7\r\n")), thai);
        EXPECT_EQ(Run(ConvertToUnicode, ByteView("\xA1\x88\xD2 \xA2\x89\xD2\xC7\r\n")), thai);
    }
    // Characters that the ANSI code page cannot hold exactly pass through.
    EXPECT_EQ(Run(ConvertToUnicode, L"\U0001F600\u4E2D"), L"\U0001F600\u4E2D");
    if (!AnsiIsThai()) {
        EXPECT_EQ(Run(ConvertToUnicode, L"\u00A1\u02C6\u20AC"), L"\u0E01\u0E48\u20AC");
    }
}

TEST_F(CommandTest, TisThenUnicodeGivesTheTextBack) {
    const std::wstring thai = L"\u0E20\u0E32\u0E29\u0E32\u0E44\u0E17\u0E22 \u0E19\u0E49\u0E33 ok";
    for (bool ticked : {false, true}) {
        Tick(ticked);
        SetText(thai);
        ConvertToTis620(dlg_);
        ConvertToUnicode(dlg_);
        EXPECT_EQ(Text(), thai) << "ticked " << ticked;
    }
}

TEST_F(CommandTest, EncodersWriteOneEscapePerUnitOrByte) {
    EXPECT_EQ(Run(EncodeEntities, L"A 0\r\n\u0E01\uFFFD"), L"&#65;&#32;&#48;&#13;&#10;&#3585;&#65533;");
    EXPECT_EQ(Run(EncodeEntities, L"\U0001F600\xD83D"), L"&#128512;&#55357;");
    for (bool ticked : {false, true}) {
        Tick(ticked);
        EXPECT_EQ(Run(EncodePercent, L"\u0E01\u0E48\u0E32"), L"%a1%e8%d2");
    }
    EXPECT_EQ(Run(EncodePercent, L"A \r\n\u00A1\U0001F600"), L"%41%20%0d%0a%3f%3f");
}

TEST_F(CommandTest, DecodeKeepsTextAfterAZeroValue) {
    EXPECT_EQ(Run(DecodeEscapes, L"ab%00cd"), L"ab%00cd");
    EXPECT_EQ(Run(DecodeEscapes, L"&#00;x"), L"&#00;x");
    EXPECT_EQ(Run(DecodeEscapes, L"%67&#37; &#3585;%4142"), L"g% \u0E01A42");
}

TEST_F(CommandTest, PercentEscapesComeBackThroughTheByteView) {
    SetText(L"\u0E01\u0E48\u0E32 A");
    EncodePercent(dlg_);
    DecodeEscapes(dlg_);
    EXPECT_EQ(Text(), L"\u00A1\u00E8\u00D2 A");
    if (!AnsiIsThai()) {
        ConvertToUnicode(dlg_);
        EXPECT_EQ(Text(), L"\u0E01\u0E48\u0E32 A");
    }
}

TEST_F(CommandTest, ThaiMarksWithoutAConsonantSurviveEveryButton) {
    if (kWineCrashesOnLoneThaiMarks) GTEST_SKIP() << "Wine's 64-bit gdi32 crashes on these texts";
    // A mark that starts the text, one after a Latin letter, and stacked marks
    // after a space: the box must show them, and each command must get through.
    const std::wstring text = L"\u0E48\u0E01\u0E48 A\u0E48 \u0E34\u0E49 \u0E01";
    for (bool ticked : {false, true}) {
        Tick(ticked);
        EXPECT_EQ(Run(ConvertToUnicode, text), text);
        EXPECT_EQ(Run(EncodeEntities, text),
                  L"&#3656;&#3585;&#3656;&#32;&#65;&#3656;&#32;&#3636;&#3657;&#32;&#3585;");
        EXPECT_EQ(Run(EncodePercent, text), L"%e8%a1%e8%20%41%e8%20%d4%e9%20%a1");
        EXPECT_EQ(Run(DecodeEscapes, text), text);
        SetText(text);
        ConvertToTis620(dlg_);
        ConvertToUnicode(dlg_);
        EXPECT_EQ(Text(), text) << "ticked " << ticked;
    }
}
