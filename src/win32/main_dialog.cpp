// The main window: the text box with its font and key filter, its layout, and
// the buttons.
#include <windows.h>

#include <new>

#include "convert.h"
#include "placement.h"
#include "resource.h"
#include "text_edit.h"
#include "ui.h"

HINSTANCE g_hInstance = nullptr;
HFONT g_hTextFont = nullptr;

static HFONT CreateTextFont() {
    LOGFONTW font;
    font.lfHeight = 46;  // cell height in pixels
    font.lfWidth = 0;
    font.lfEscapement = 0;
    font.lfOrientation = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = 0;
    font.lfUnderline = 0;
    font.lfStrikeOut = 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpyW(font.lfFaceName, L"DB ThaiText");
    return CreateFontIndirectW(&font);
}

static void OnInitDialog(HWND hDlg) {
    HWND hText = GetDlgItem(hDlg, IDC_TEXT);
    g_hTextFont = CreateTextFont();
    SendMessageW(hText, WM_SETFONT, reinterpret_cast<WPARAM>(g_hTextFont), 0);
    // No text limit: the box's default of about 30,000 characters would silently
    // cut a longer paste and lose the rest of the user's text.
    SendMessageW(hText, EM_SETLIMITTEXT, 0, 0);
    // The filter goes in through the wide interface, so the box stays a Unicode
    // window; the replaced procedure is stored before any message reaches it.
    g_pfnOrigEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hText, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextEditProc)));
    SetFocus(hText);
}

static void OnSize(HWND hDlg, LPARAM lParam) {
    HWND hText = GetDlgItem(hDlg, IDC_TEXT);
    if (hText == nullptr) return;
    RECT rect;
    GetWindowRect(hText, &rect);
    POINT topLeft = {rect.left, rect.top};
    ScreenToClient(hDlg, &topLeft);
    TextBoxPlace place = LayTextBox(topLeft.y, LOWORD(lParam), HIWORD(lParam));
    MoveWindow(hText, place.x, place.y, place.width, place.height, TRUE);
}

static void RunCommand(HWND hDlg, WORD id) {
    switch (id) {
    case IDCANCEL:
        EndDialog(hDlg, 0);
        break;
    case IDC_ABOUT:
        DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ABOUT), hDlg, AboutDlgProc, 0);
        break;
    case IDC_TO_UNICODE:
        ConvertToUnicode(hDlg);
        break;
    case IDC_TO_TIS620:
        ConvertToTis620(hDlg);
        break;
    case IDC_TO_ENTITIES:
        EncodeEntities(hDlg);
        break;
    case IDC_TO_PERCENT:
        EncodePercent(hDlg);
        break;
    case IDC_FROM_ESCAPES:
        DecodeEscapes(hDlg);
        break;
    default:  // IDOK (Enter), the check box, the text box's notifications
        break;
    }
}

static void OnCommand(HWND hDlg, WORD id) {
    // A command allocates all its buffers before it writes the box, so when
    // memory runs out the box still holds the user's text: say so with a beep
    // and go on instead of ending the program.
    try {
        RunCommand(hDlg, id);
    } catch (const std::bad_alloc&) {
        MessageBeep(MB_ICONHAND);
    }
}

INT_PTR CALLBACK MainDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return FALSE;  // the focus stays in the text box
    case WM_SIZE:
        OnSize(hDlg, lParam);
        return TRUE;
    case WM_COMMAND:
        OnCommand(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
