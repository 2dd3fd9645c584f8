// The program's two dialogs and the handles they share.
#pragma once

#include <windows.h>

// The instance whose resources hold IDD_MAIN and IDD_ABOUT; set by WinMain.
extern HINSTANCE g_hInstance;

// The text box's font ("DB ThaiText"), made once when the main dialog starts and
// never deleted.
extern HFONT g_hTextFont;

// The main dialog (IDD_MAIN): gives the text box its font, its filter, no text
// limit and the focus; lays the text box out on WM_SIZE; runs the buttons.
INT_PTR CALLBACK MainDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// The About box (IDD_ABOUT): centered over its owner, ended with 1 by any command.
INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Moves `hwnd` (size and Z order kept) so that it is centered over `hwndOver`
// and kept on the screen that its own device context reports.
void CenterWindowOver(HWND hwnd, HWND hwndOver);
