// The key filter in front of the text box: typed characters go through the
// Kedmanee mapping before the box sees them; every other message, and text that
// arrives by paste or WM_SETTEXT, passes untouched.
#pragma once

#include <windows.h>

// The text box's own window procedure, saved when the filter is installed.
extern WNDPROC g_pfnOrigEditProc;

// The text box's window procedure while the filter is installed: maps the
// character of WM_CHAR and hands every message, exactly once, to
// g_pfnOrigEditProc through the wide interface.
LRESULT CALLBACK TextEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
