// A small helper that looks at the running Tolvane window from another process
// in the same Wine prefix, so that the end-to-end run can check what the user
// would see: the text in the box, where the controls and the About box are.
//
// Usage: tolvane_e2e_driver COMMAND [ARGS...]; it prints its answer on one
// line of standard output and exits with 0, or prints why on standard error
// and exits with 1.
//   wait-main MS            wait until the main window is visible
//   wait-about MS           wait until the About box is visible
//   wait-no-about MS        wait until the About box is gone
//   wait-text MS HEX...     wait until the box holds exactly these code units
//   text                    the box's text as hex UTF-16 code units
//   set-text HEX...         set the box's text (WM_SETTEXT)
//   wait-checked MS ID 0|1  wait until the check box is unticked (0) or ticked (1)
//   rect main|about|screen  left top right bottom, in screen pixels
//   control ID              left top right bottom of a control of the main window
//   focus                   the id of the control with the keyboard focus
//   move X Y                move the main window (size unchanged)
//   press ID                click a button of the main window by message, for
//                           a button that lies off the screen
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kMainCaption[] = L"Thai language TIS-620 to Unicode Converter";
const int kTextId = 1000;

HWND FindMain() {
    HWND hwnd = FindWindowW(L"#32770", kMainCaption);
    return (hwnd && IsWindowVisible(hwnd)) ? hwnd : nullptr;
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedPopup(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    if (GetWindow(hwnd, GW_OWNER) == search->owner && IsWindowVisible(hwnd)) {
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (wcscmp(cls, L"#32770") == 0) {
            search->found = hwnd;
            return FALSE;
        }
    }
    return TRUE;
}

// The About box is a visible dialog owned by the main window.
HWND FindAbout() {
    OwnedSearch search = {FindMain(), nullptr};
    if (!search.owner) return nullptr;
    EnumWindows(FindOwnedPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ReadText(HWND main) {
    HWND box = GetDlgItem(main, kTextId);
    LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

std::string Hex(const std::wstring& text) {
    std::string hex;
    char unit[8];
    for (size_t i = 0; i < text.size(); ++i) {
        snprintf(unit, sizeof unit, i ? " %04X" : "%04X", static_cast<unsigned>(text[i]));
        hex += unit;
    }
    return hex;
}

std::wstring ParseHex(int argc, char** argv, int first) {
    std::wstring text;
    for (int i = first; i < argc; ++i)
        text.push_back(static_cast<wchar_t>(strtoul(argv[i], nullptr, 16)));
    return text;
}

void PrintRect(const RECT& r) {
    printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
}

// Polls every 50 ms until `ready` holds or the time is up.
template <typename F>
bool WaitFor(int ms, F ready) {
    for (DWORD start = GetTickCount();;) {
        if (ready()) return true;
        if (GetTickCount() - start > static_cast<DWORD>(ms)) return false;
        Sleep(50);
    }
}

int Fail(const char* why) {
    fprintf(stderr, "driver: %s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Plain "\n" line ends, so that the shell reads the answers as they are.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return Fail("no command");
    std::string cmd = argv[1];

    if (cmd == "wait-main" && argc == 3)
        return WaitFor(atoi(argv[2]), [] { return FindMain() != nullptr; }) ? 0 : Fail("no main window");
    if (cmd == "wait-about" && argc == 3)
        return WaitFor(atoi(argv[2]), [] { return FindAbout() != nullptr; }) ? 0 : Fail("no About box");
    if (cmd == "wait-no-about" && argc == 3)
        return WaitFor(atoi(argv[2]), [] { return FindAbout() == nullptr; }) ? 0 : Fail("About box still open");

    if (cmd == "rect" && argc == 3) {
        std::string which = argv[2];
        RECT r = {};
        if (which == "screen") {
            // The screen as a window's device context reports it.
            HDC dc = GetDC(nullptr);
            r.right = GetDeviceCaps(dc, HORZRES);
            r.bottom = GetDeviceCaps(dc, VERTRES);
            ReleaseDC(nullptr, dc);
        } else {
            HWND hwnd = which == "about" ? FindAbout() : FindMain();
            if (!hwnd) return Fail("window not found");
            GetWindowRect(hwnd, &r);
        }
        PrintRect(r);
        return 0;
    }

    HWND main = FindMain();
    if (!main) return Fail("no main window");

    if (cmd == "text") {
        printf("%s\n", Hex(ReadText(main)).c_str());
        return 0;
    }
    if (cmd == "wait-text" && argc >= 3) {
        std::wstring want = ParseHex(argc, argv, 3);
        std::wstring got;
        if (WaitFor(atoi(argv[2]), [&] { return (got = ReadText(main)) == want; })) return 0;
        fprintf(stderr, "driver: the box holds %s\n", Hex(got).c_str());
        return 1;
    }
    if (cmd == "set-text") {
        std::wstring text = ParseHex(argc, argv, 2);
        SendMessageW(GetDlgItem(main, kTextId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return ReadText(main) == text ? 0 : Fail("text not set");
    }
    if (cmd == "wait-checked" && argc == 5) {
        HWND box = GetDlgItem(main, atoi(argv[3]));
        LRESULT want = atoi(argv[4]);
        return WaitFor(atoi(argv[2]), [&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == want; })
                   ? 0
                   : Fail("the check box did not change");
    }
    if (cmd == "control" && argc == 3) {
        HWND ctl = GetDlgItem(main, atoi(argv[2]));
        if (!ctl) return Fail("no such control");
        RECT r;
        GetWindowRect(ctl, &r);
        PrintRect(r);
        return 0;
    }
    if (cmd == "focus") {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
        printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : -1);
        return 0;
    }
    if (cmd == "move" && argc == 4) {
        SetWindowPos(main, nullptr, atoi(argv[2]), atoi(argv[3]), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return 0;
    }
    if (cmd == "press" && argc == 3) {
        PostMessageW(GetDlgItem(main, atoi(argv[2])), BM_CLICK, 0, 0);
        return 0;
    }
    return Fail("unknown command or wrong arguments");
}
