// The main dialog and the About box, created from the program's own resources
// (linked into this test) and driven with messages: the text box's font, filter,
// focus and limit, the layout, the commands, undo, running out of memory, and
// the About box's place and end.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "convert.h"
#include "resource.h"
#include "same.h"
#include "text_edit.h"
#include "ui.h"

// Every allocation of this program goes through here, so a test can make the
// n-th one from now fail as if memory had run out.
namespace {
long g_allocationsBeforeFailure = -1;  // -1: none fails
bool g_allocationFailed = false;
}  // namespace

void* operator new(std::size_t size) {
    if (g_allocationsBeforeFailure == 0) {
        g_allocationsBeforeFailure = -1;
        g_allocationFailed = true;
        throw std::bad_alloc();
    }
    if (g_allocationsBeforeFailure > 0) --g_allocationsBeforeFailure;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

bool AnsiIsThai() { return GetACP() == 874; }

std::wstring TextOf(HWND hwnd) {
    std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

// What reaches the text box's own procedure, recorded by standing in for it.
struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> g_seen;
WNDPROC g_pfnBoxProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back({message, wParam, lParam});
    return CallWindowProcW(g_pfnBoxProc, hwnd, message, wParam, lParam);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* units = static_cast<wchar_t*>(GlobalLock(memory));
    memcpy(units, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        g_hInstance = GetModuleHandleW(nullptr);
        dlg_ = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc, 0);
        ASSERT_NE(dlg_, nullptr);
        box_ = GetDlgItem(dlg_, IDC_TEXT);
        ASSERT_NE(box_, nullptr);
    }
    void TearDown() override {
        StopRecording();
        if (IsWindow(dlg_)) DestroyWindow(dlg_);
    }

    void StartRecording() {
        g_pfnBoxProc = g_pfnOrigEditProc;
        g_pfnOrigEditProc = RecordingProc;
        g_seen.clear();
    }
    void StopRecording() {
        if (g_pfnOrigEditProc == RecordingProc) g_pfnOrigEditProc = g_pfnBoxProc;
    }
    bool BoxWasWritten() const {
        for (const Seen& seen : g_seen) {
            if (seen.message == EM_REPLACESEL || seen.message == WM_SETTEXT) return true;
        }
        return false;
    }

    void SetText(const std::wstring& text) { SendMessageW(box_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    std::wstring Text() const { return TextOf(box_); }
    void Type(const std::wstring& keys) {
        for (wchar_t key : keys) SendMessageW(box_, WM_CHAR, key, 1);
    }
    INT_PTR Command(WORD id, WORD notification = BN_CLICKED) {
        return MainDlgProc(dlg_, WM_COMMAND, MAKEWPARAM(id, notification),
                           reinterpret_cast<LPARAM>(GetDlgItem(dlg_, id)));
    }
    RECT BoxInClient() const {
        RECT rect;
        GetWindowRect(box_, &rect);
        MapWindowPoints(nullptr, dlg_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND dlg_ = nullptr;
    HWND box_ = nullptr;
};

struct CommandCase {
    WORD id;
    void (*function)(HWND);
    const wchar_t* text;  // a text that the command changes
};
const CommandCase kCommands[] = {
    {IDC_TO_UNICODE, ConvertToUnicode, L"\u00A1\u00D2"},  // changes under 1252 only
    {IDC_TO_TIS620, ConvertToTis620, L"caf\u00E9"},
    {IDC_TO_ENTITIES, EncodeEntities, L"A&B"},
    {IDC_TO_PERCENT, EncodePercent, L"A B"},
    {IDC_FROM_ESCAPES, DecodeEscapes, L"%41&#66;"},
};
bool ChangesHere(const CommandCase& c) { return !(c.id == IDC_TO_UNICODE && AnsiIsThai()); }

}  // namespace

TEST_F(MainWindowTest, InitialisationGivesTheTextBoxItsFontFilterFocusAndNoLimit) {
    EXPECT_EQ(GetFocus(), box_) << "the focus belongs in the text box, not on the first button";

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(box_, WM_GETFONT, 0, 0));
    ASSERT_NE(g_hTextFont, nullptr);
    EXPECT_EQ(font, g_hTextFont);
    LOGFONTW logFont = {};
    ASSERT_EQ(GetObjectW(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_STREQ(logFont.lfFaceName, L"DB ThaiText");
    EXPECT_EQ(logFont.lfHeight, 46);

    EXPECT_EQ(GetWindowLongPtrW(box_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(TextEditProc));
    EXPECT_NE(g_pfnOrigEditProc, nullptr);
    EXPECT_TRUE(IsWindowUnicode(box_)) << "the filter must keep the box a Unicode window";
    EXPECT_GE(static_cast<unsigned long long>(SendMessageW(box_, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEull);

    EXPECT_EQ(Text(), L"");
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_SMART_TONE), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(TextOf(dlg_), L"Thai language TIS-620 to Unicode Converter");
}

TEST_F(MainWindowTest, TypedCharactersEnterTheBoxAsTheKedmaneeByteView) {
    const struct {
        const wchar_t* keys;
        const wchar_t* box;
    } cases[] = {
        {L"dk", L"\u00A1\u00D2"},          // KO KAI, SARA AA
        {L"dD", L"\u00A1\u00AF"},          // case: TO PATAK on the shifted key
        {L"W", L"\""},                    // mapped once, not on to '.'
        {L"!}", L"+,"},                   // both bounds
        {L" ~", L" ~"},                   // just outside them
        {L"%41", L"\u00F4\u00C0\u00E5"},   // an escape typed is Thai, not an escape
        {L"\u00E9\u0E01", L"\u00E9\u0E01"}, // above the range: unchanged
    };
    for (const auto& c : cases) {
        SetText(L"");
        Type(c.keys);
        EXPECT_EQ(Text(), c.box) << "typed " << testing::PrintToString(std::wstring(c.keys));
    }
}

TEST_F(MainWindowTest, EveryMessageReachesTheBoxOnceWithOnlyTheCharacterMapped) {
    const LPARAM keyData = 0x00200001;  // repeat count 1, a scan code
    const Seen sent[] = {
        {WM_KEYDOWN, 'D', keyData},
        {WM_CHAR, 'd', keyData},
        {WM_KEYUP, 'D', static_cast<LPARAM>(0xC0200001)},
        {WM_SYSCHAR, 'd', 0x20200001},
        {WM_CHAR, 'W', keyData},
        {WM_CHAR, 0xE9, keyData},
        {WM_CHAR, VK_BACK, keyData},
    };
    const Seen expected[] = {
        {WM_KEYDOWN, 'D', keyData},
        {WM_CHAR, 0xA1, keyData},
        {WM_KEYUP, 'D', static_cast<LPARAM>(0xC0200001)},
        {WM_SYSCHAR, 'd', 0x20200001},
        {WM_CHAR, '"', keyData},
        {WM_CHAR, 0xE9, keyData},
        {WM_CHAR, VK_BACK, keyData},
    };
    StartRecording();
    for (const Seen& s : sent) SendMessageW(box_, s.message, s.wParam, s.lParam);
    StopRecording();

    std::vector<Seen> keys;
    for (const Seen& seen : g_seen) {
        if (seen.message >= WM_KEYFIRST && seen.message <= WM_KEYLAST) keys.push_back(seen);
    }
    ASSERT_EQ(keys.size(), std::size(expected));
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].message, expected[i].message) << "message " << i;
        EXPECT_EQ(keys[i].wParam, expected[i].wParam) << "message " << i;
        EXPECT_EQ(keys[i].lParam, expected[i].lParam) << "message " << i;
    }
}

TEST_F(MainWindowTest, PastedAndSetTextIsNotMapped) {
    SetText(L"dW%41");
    EXPECT_EQ(Text(), L"dW%41");
    PutOnClipboard(dlg_, L"dk!");
    SendMessageW(box_, EM_SETSEL, 5, 5);
    SendMessageW(box_, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), L"dW%41dk!");
}

TEST_F(MainWindowTest, EnterInTheBoxAddsNoLineAndEndsNothing) {
    SetText(L"abc");
    SendMessageW(box_, EM_SETSEL, 3, 3);
    MSG msg = {box_, WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {0, 0}};
    if (!IsDialogMessageW(dlg_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    PumpMessages();
    EXPECT_EQ(Text(), L"abc");
    EXPECT_TRUE(IsWindow(dlg_));
}

TEST_F(MainWindowTest, CommandsRunOnTheLowWordWhateverTheNotification) {
    for (const CommandCase& c : kCommands) {
        SetText(c.text);
        c.function(dlg_);
        const std::wstring expected = Text();
        if (ChangesHere(c)) EXPECT_NE(expected, c.text) << "command " << c.id;

        for (WORD notification : {WORD{BN_CLICKED}, WORD{1}, WORD{EN_CHANGE}, WORD{0xFFFF}}) {
            SetText(c.text);
            StartRecording();
            EXPECT_EQ(Command(c.id, notification), TRUE);
            StopRecording();
            EXPECT_TRUE(BoxWasWritten()) << "command " << c.id << " notification " << notification;
            EXPECT_EQ(Text(), expected) << "command " << c.id << " notification " << notification;
        }
    }
}

TEST_F(MainWindowTest, OtherIdentifiersDoNothing) {
    const struct {
        WORD id, notification;
    } cases[] = {
        {IDOK, BN_CLICKED},            // Enter, with no default button
        {IDC_TEXT, EN_CHANGE},         // the text box's own notifications
        {IDC_TEXT, EN_SETFOCUS},
        {IDC_TEXT, EN_UPDATE},
        {IDC_SMART_TONE, BN_CLICKED},  // the check box keeps its own state
        {0, 0},
        {9999, BN_CLICKED},
    };
    for (const auto& c : cases) {
        SetText(L"d&#66;%41");
        StartRecording();
        EXPECT_EQ(Command(c.id, c.notification), TRUE);
        StopRecording();
        EXPECT_FALSE(BoxWasWritten()) << "id " << c.id;
        EXPECT_EQ(Text(), L"d&#66;%41") << "id " << c.id;
        EXPECT_TRUE(IsWindow(dlg_));
        EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_SMART_TONE), static_cast<UINT>(BST_UNCHECKED));
    }
}

TEST_F(MainWindowTest, ResizingStretchesTheTextBoxBelowTheButtons) {
    const int top = BoxInClient().top;
    EXPECT_GT(top, 0);
    const struct {
        WPARAM type;
        WORD width, height;
    } sizes[] = {
        {SIZE_RESTORED, 600, 400},
        {SIZE_MAXIMIZED, 1200, 900},
        {SIZE_MINIMIZED, 0, 0},  // lays the box out with no area...
        {SIZE_RESTORED, 700, 500},  // ...and restoring brings it back
    };
    for (const auto& s : sizes) {
        EXPECT_EQ(MainDlgProc(dlg_, WM_SIZE, s.type, MAKELPARAM(s.width, s.height)), TRUE);
        if (s.type == SIZE_MINIMIZED) continue;
        RECT rect = BoxInClient();
        EXPECT_EQ(rect.left, 10) << s.width << "x" << s.height;
        EXPECT_EQ(rect.top, top) << s.width << "x" << s.height;
        EXPECT_EQ(rect.right - rect.left, s.width - 20) << s.width << "x" << s.height;
        EXPECT_EQ(rect.bottom - rect.top, s.height - top - 10) << s.width << "x" << s.height;
    }
    // The buttons stay where the template put them.
    RECT exitRect;
    GetWindowRect(GetDlgItem(dlg_, IDCANCEL), &exitRect);
    MapWindowPoints(nullptr, dlg_, reinterpret_cast<POINT*>(&exitRect), 2);
    RECT templateRect = {407, 7, 0, 0};
    MapDialogRect(dlg_, &templateRect);
    EXPECT_EQ(exitRect.left, templateRect.left);
    EXPECT_EQ(exitRect.top, templateRect.top);
}

TEST(MainDlgProc, ResizeWithoutATextBoxMovesNothing) {
    // A window with a child that is not the text box: the layout finds no box
    // and leaves every child where it was.
    HWND bare = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(bare, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 20, 30, 40, 50, bare,
                                 reinterpret_cast<HMENU>(IDC_TEXT + 1), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    RECT before, after;
    GetWindowRect(child, &before);
    EXPECT_EQ(MainDlgProc(bare, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200)), TRUE);
    GetWindowRect(child, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "moved to " << after.left << "," << after.top << " "
                                            << after.right - after.left << "x" << after.bottom - after.top;
    DestroyWindow(bare);
}

TEST_F(MainWindowTest, AMebibytePasteArrivesWholeAndACommandConvertsAllOfIt) {
    // Lines of 80 units; one long line would take Wine's text box minutes.
    std::wstring line;
    std::wstring decodedLine;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) {
        wchar_t escape[4];
        wsprintfW(escape, L"%%%02X", c);
        line += escape;
        decodedLine += c;
    }
    line += L"\r\n";
    decodedLine += L"\r\n";
    std::wstring text, decoded;
    while (text.size() < (1u << 20)) {
        text += line;
        decoded += decodedLine;
    }

    PutOnClipboard(dlg_, text);
    SendMessageW(box_, WM_PASTE, 0, 0);
    ASSERT_EQ(static_cast<size_t>(GetWindowTextLengthW(box_)), text.size()) << "the paste was cut";
    EXPECT_TRUE(SameText(Text(), text));

    Command(IDC_FROM_ESCAPES);
    EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthW(box_)), decoded.size());
    EXPECT_TRUE(SameText(Text(), decoded)) << "the command did not convert all of the text";

    // The same text put in as one replacement also arrives whole.
    SetText(L"");
    SendMessageW(box_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthW(box_)), text.size());
}

TEST_F(MainWindowTest, CtrlZRightAfterAButtonBringsTheTextBack) {
    for (const CommandCase& c : kCommands) {
        if (!ChangesHere(c)) continue;
        SetText(c.text);  // WM_SETTEXT leaves nothing to undo
        Command(c.id);
        ASSERT_NE(Text(), c.text) << "command " << c.id;
        Type(L"\x1A");  // Ctrl+Z passes the filter as it is
        EXPECT_EQ(Text(), c.text) << "command " << c.id;
    }
}

TEST_F(MainWindowTest, RunningOutOfMemoryInACommandKeepsTheTextAndTheWindow) {
    for (const CommandCase& c : kCommands) {
        long failures = 0;
        for (long n = 0; n < 100; ++n) {
            SetText(c.text);
            g_allocationFailed = false;
            g_allocationsBeforeFailure = n;
            const INT_PTR handled = Command(c.id);
            g_allocationsBeforeFailure = -1;
            EXPECT_EQ(handled, TRUE);
            ASSERT_TRUE(IsWindow(dlg_));
            if (!g_allocationFailed) break;  // the command got all it asked for
            ++failures;
            EXPECT_EQ(Text(), c.text) << "command " << c.id << ", allocation " << n << " failed";
        }
        EXPECT_GT(failures, 0) << "command " << c.id << " allocated nothing";
        // After the failures the command works as before.
        if (ChangesHere(c)) EXPECT_NE(Text(), c.text) << "command " << c.id;
    }
}

// --- The About box --------------------------------------------------------

namespace {

// What a timer saw of the About box while it ran modally.
struct AboutSeen {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    RECT rect = {};
};
AboutSeen g_about;
std::vector<std::pair<UINT, WPARAM>> g_endWith;  // what the timer sends to end it

BOOL CALLBACK FindAbout(HWND hwnd, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    if (lstrcmpW(className, L"#32770") == 0 && GetDlgItem(hwnd, IDC_TEXT) == nullptr && IsWindowVisible(hwnd)) {
        g_about.hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Looks every 50 ms until the About box is on the screen, then ends it.
void CALLBACK LookAtAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    g_about = {};
    EnumThreadWindows(GetCurrentThreadId(), FindAbout, 0);
    if (g_about.hwnd == nullptr) return;
    KillTimer(nullptr, timer);
    g_about.owner = GetWindow(g_about.hwnd, GW_OWNER);
    GetWindowRect(g_about.hwnd, &g_about.rect);
    for (auto [message, wParam] : g_endWith) {
        HWND target = message == WM_KEYDOWN ? GetFocus() : g_about.hwnd;
        PostMessageW(target, message, wParam, message == WM_KEYDOWN ? 1 : 0);
    }
}

// Runs the About box modally over `owner` until the timer's messages end it.
INT_PTR RunAbout(HWND owner, std::vector<std::pair<UINT, WPARAM>> endWith) {
    g_endWith = std::move(endWith);
    SetTimer(nullptr, 0, 50, LookAtAbout);
    return DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDlgProc, 0);
}

int ScreenWidth() {
    HDC hdc = GetDC(nullptr);
    int width = GetDeviceCaps(hdc, HORZRES);
    ReleaseDC(nullptr, hdc);
    return width;
}
int ScreenHeight() {
    HDC hdc = GetDC(nullptr);
    int height = GetDeviceCaps(hdc, VERTRES);
    ReleaseDC(nullptr, hdc);
    return height;
}

}  // namespace

TEST_F(MainWindowTest, AboutHelpOpensTheAboutBoxCenteredOverTheMainWindow) {
    SetWindowPos(dlg_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(dlg_, SW_SHOWNORMAL);
    RECT main;
    GetWindowRect(dlg_, &main);

    g_endWith = {{WM_KEYDOWN, VK_RETURN}};  // Enter closes it
    SetTimer(nullptr, 0, 50, LookAtAbout);
    EXPECT_EQ(Command(IDC_ABOUT), TRUE);
    PumpMessages();

    ASSERT_NE(g_about.hwnd, nullptr) << "no About box appeared";
    EXPECT_FALSE(IsWindow(g_about.hwnd)) << "the About box did not close";
    EXPECT_EQ(g_about.owner, dlg_);
    const int width = g_about.rect.right - g_about.rect.left;
    const int height = g_about.rect.bottom - g_about.rect.top;
    EXPECT_GT(width, 0);
    EXPECT_EQ(g_about.rect.left, main.left + (main.right - main.left - width) / 2);
    EXPECT_EQ(g_about.rect.top, main.top + (main.bottom - main.top - height) / 2);
    EXPECT_TRUE(IsWindowEnabled(dlg_)) << "the main window must take input again";
}

TEST_F(MainWindowTest, AboutBoxEndsWithOneOnAnyCommand) {
    const std::vector<std::pair<UINT, WPARAM>> endings[] = {
        {{WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}},  // "ok"
        {{WM_COMMAND, MAKEWPARAM(4321, 0x777)}},
        {{WM_KEYDOWN, VK_ESCAPE}},
        {{WM_KEYDOWN, VK_RETURN}},
    };
    for (const auto& ending : endings) {
        EXPECT_EQ(RunAbout(dlg_, ending), 1) << "ending message " << ending[0].first;
        EXPECT_NE(g_about.hwnd, nullptr);
    }
}

TEST_F(MainWindowTest, AboutBoxStaysOnTheScreen) {
    const int sw = ScreenWidth();
    const int sh = ScreenHeight();
    HWND about = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ABOUT), dlg_, AboutDlgProc, 0);
    ASSERT_NE(about, nullptr);
    // TRUE: the dialog manager gives the focus to "ok".
    EXPECT_EQ(AboutDlgProc(about, WM_INITDIALOG, 0, 0), TRUE);
    RECT main, box;
    GetWindowRect(dlg_, &main);
    GetWindowRect(about, &box);
    const int mw = main.right - main.left, mh = main.bottom - main.top;
    const int w = box.right - box.left, h = box.bottom - box.top;
    ASSERT_LT(w, mw);
    ASSERT_LT(h, mh);

    const struct {
        const char* what;
        int mainX, mainY;
        int x, y;  // where the box must go
    } cases[] = {
        {"off the left and top", -mw + 10, -mh + 10, 0, 0},
        {"off the right and bottom", sw - 20, sh - 20, sw - w, sh - h},
        {"off the left only", -mw + 10, 100, 0, 100 + (mh - h) / 2},
        {"off the bottom only", 50, sh - 20, 50 + (mw - w) / 2, sh - h},
    };
    for (const auto& c : cases) {
        SetWindowPos(dlg_, nullptr, c.mainX, c.mainY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CenterWindowOver(about, dlg_);
        GetWindowRect(about, &box);
        EXPECT_EQ(box.left, c.x) << c.what;
        EXPECT_EQ(box.top, c.y) << c.what;
        EXPECT_EQ(box.right - box.left, w) << c.what << ": the box must keep its size";
    }
    DestroyWindow(about);
}

namespace {

struct Ending {
    UINT message;
    WPARAM wParam;
};
Ending g_ending;

// Stands in front of MainDlgProc only to post the ending once the dialog is set
// up, and to stop a run that would otherwise never end.
INT_PTR CALLBACK EndingDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == 77) {
        EndDialog(hDlg, 99);
        return TRUE;
    }
    INT_PTR result = MainDlgProc(hDlg, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        SetTimer(hDlg, 77, 5000, nullptr);
        HWND target = g_ending.message == WM_KEYDOWN ? GetFocus() : hDlg;
        PostMessageW(target, g_ending.message, g_ending.wParam, g_ending.message == WM_KEYDOWN ? 1 : 0);
    }
    return result;
}

}  // namespace

TEST(MainDialog, EscapeCloseAndExitEndTheModalDialogWithZero) {
    g_hInstance = GetModuleHandleW(nullptr);
    const Ending endings[] = {
        {WM_KEYDOWN, VK_ESCAPE},  // Escape while the text box has the focus
        {WM_CLOSE, 0},            // the close box, Alt+F4, Close on the system menu
        {WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},  // "Exit"
    };
    for (const Ending& ending : endings) {
        g_ending = ending;
        EXPECT_EQ(DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_MAIN), GetDesktopWindow(), EndingDlgProc, 0), 0)
            << "ending message " << ending.message;
    }
}
