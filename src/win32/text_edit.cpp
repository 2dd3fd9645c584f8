// The text box filter: WM_CHAR is mapped, everything is passed on once.
#include "text_edit.h"

#include "kedmanee.h"

WNDPROC g_pfnOrigEditProc = nullptr;

LRESULT CALLBACK TextEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) wParam = MapKedmaneeKey(static_cast<uint32_t>(wParam));
    return CallWindowProcW(g_pfnOrigEditProc, hwnd, message, wParam, lParam);
}
