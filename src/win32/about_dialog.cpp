// The About box, and the centring that places it over the main window.
#include <windows.h>

#include "placement.h"
#include "ui.h"

void CenterWindowOver(HWND hwnd, HWND hwndOver) {
    RECT rect, over;
    GetWindowRect(hwnd, &rect);
    GetWindowRect(hwndOver, &over);
    HDC hdc = GetDC(hwnd);
    int screenWidth = GetDeviceCaps(hdc, HORZRES);
    int screenHeight = GetDeviceCaps(hdc, VERTRES);
    ReleaseDC(hwnd, hdc);
    int x = CenteredStart(over.left, over.right - over.left, rect.right - rect.left, screenWidth);
    int y = CenteredStart(over.top, over.bottom - over.top, rect.bottom - rect.top, screenHeight);
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOver(hDlg, GetParent(hDlg));
        return TRUE;  // the focus goes to "ok"
    case WM_COMMAND:  // "ok", Enter and Escape alike
        EndDialog(hDlg, 1);
        return TRUE;
    }
    return FALSE;
}
