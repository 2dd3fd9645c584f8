// Tolvane's entry point: the main dialog, modal, owned by the desktop. The
// process lives as long as the dialog and always exits with 0.
#include <windows.h>
#include <commctrl.h>

#include "resource.h"
#include "ui.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    HWND hDesktop = GetDesktopWindow();
    g_hInstance = hInstance;
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_MAIN), hDesktop, MainDlgProc, 0);
    return 0;
}
