// Text box access through the wide interface, and the ANSI code page table.
#include "textbox.h"

namespace {

wchar_t* AsWide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
const wchar_t* AsWide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide interface takes UTF-16 units");

std::unique_ptr<char16_t[]> ReadBoxText(HWND hBox, size_t* length) {
    size_t reported = static_cast<size_t>(GetWindowTextLengthW(hBox));
    auto text = AllocateBuffer<char16_t>(reported + 1);
    text[0] = 0;
    GetWindowTextW(hBox, AsWide(text.get()), static_cast<int>(reported + 1));
    text[reported] = 0;
    *length = 0;
    while (text[*length] != 0) ++*length;
    return text;
}

void WriteBoxText(HWND hBox, const char16_t* text) {
    size_t length = 0;
    while (text[length] != 0) ++length;
    // A multi-line box takes 30,000 characters by default and a replacement
    // beyond its limit is cut: lift the limit rather than lose text.
    if (static_cast<size_t>(SendMessageW(hBox, EM_GETLIMITTEXT, 0, 0)) < length) {
        SendMessageW(hBox, EM_SETLIMITTEXT, 0, 0);
    }
    SendMessageW(hBox, EM_SETSEL, 0, -1);
    SendMessageW(hBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(AsWide(text)));
}

void WriteBoxTextAnsi(HWND hBox, const char* text) {
    int count = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    auto wide = AllocateBuffer<char16_t>(count > 0 ? static_cast<size_t>(count) : 1);
    wide[0] = 0;
    MultiByteToWideChar(CP_ACP, 0, text, -1, AsWide(wide.get()), count);
    WriteBoxText(hBox, wide.get());
}

void ReadAnsiCodePage(char16_t units[256]) {
    units[0] = 0;
    for (int b = 1; b < 256; ++b) {
        char byte = static_cast<char>(b);
        wchar_t unit = 0;
        char back[2] = {};
        BOOL usedDefault = FALSE;
        units[b] = 0;
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &unit, 1) == 1 &&
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &unit, 1, back, 2, nullptr,
                                &usedDefault) == 1 &&
            !usedDefault && back[0] == byte) {
            units[b] = static_cast<char16_t>(unit);
        }
    }
}
