// Each button's command on a real text box, in this process: the whole command
// (reading the box, converting, writing the box) against the edit control's own
// cost of taking the same result by a plain WM_SETTEXT. Prints one ratio per
// command. Run under Wine with a display: window_bench.exe [KiB of input]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "convert.h"
#include "corpus.h"
#include "cp874.h"
#include "escapes.h"
#include "resource.h"

namespace {

HWND g_hDlg;
HWND g_hBox;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring BoxText() {
    std::wstring text(GetWindowTextLengthW(g_hBox) + 1, L'\0');
    text.resize(GetWindowTextW(g_hBox, text.data(), static_cast<int>(text.size())));
    return text;
}

void SetBox(const std::wstring& text) {
    SendMessageW(g_hBox, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(g_hBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring Wide(const UnitText& units) { return std::wstring(units.begin(), units.end()); }

// The Thai prose as the box shows the byte view: each byte as the ANSI code
// page gives it.
std::wstring ByteView(const ByteText& bytes) {
    std::wstring out(bytes.size() + 1, L'\0');
    out.resize(MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<int>(bytes.size()), out.data(),
                                   static_cast<int>(out.size())));
    return out;
}

UnitText Unicode(const ByteText& bytes) {
    UnitText out(bytes.size(), u'\0');
    Cp874ToUtf16(bytes.data(), bytes.size(), out.data());
    return out;
}

// Percent escapes of every byte, the line breaks kept, so that the decoded
// text comes back in lines.
std::wstring PercentLines(const ByteText& bytes) {
    std::wstring out;
    for (unsigned char b : bytes) {
        if (b == '\r' || b == '\n') {
            out += static_cast<wchar_t>(b);
        } else {
            wchar_t escape[4];
            swprintf(escape, 4, L"%%%02x", b);
            out += escape;
        }
    }
    return out;
}

void Measure(const char* name, void (*command)(HWND), const std::wstring& input) {
    const int kRounds = 3;
    double best = 1e9, bestPlain = 1e9;
    std::wstring result;
    for (int round = 0; round < kRounds; ++round) {
        SetBox(input);
        double t0 = Now();
        command(g_hDlg);
        best = std::min(best, Now() - t0);
        result = BoxText();
        SetBox(input);
        t0 = Now();
        SendMessageW(g_hBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(result.c_str()));
        bestPlain = std::min(bestPlain, Now() - t0);
    }
    std::printf("%-20s %9zu %9zu %10.1f %10.1f %7.2f\n", name, input.size(), result.size(),
                best * 1000, bestPlain * 1000, best / bestPlain);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t kib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1024;
    // The encoders write one line as long as the whole result; the edit
    // control lays a long line out slowly, so they get a smaller input.
    const size_t encoderKib = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 8;

    g_hDlg = CreateWindowExW(0, L"STATIC", L"Tolvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             800, 600, nullptr, nullptr, nullptr, nullptr);
    g_hBox = CreateWindowExW(0, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                                 ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                             10, 40, 760, 500, g_hDlg, reinterpret_cast<HMENU>(IDC_TEXT), nullptr,
                             nullptr);
    CreateWindowExW(0, L"BUTTON", L"Smart Tone Mark Elevation",
                    WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 200, 20, g_hDlg,
                    reinterpret_cast<HMENU>(IDC_SMART_TONE), nullptr, nullptr);
    if (!g_hDlg || !g_hBox) return 1;

    const ByteText thai = ThaiProse(kib << 10);
    const ByteText small = ThaiProse(encoderKib << 10);
    std::printf("ANSI code page %u; times are the best of 3\n", GetACP());
    std::printf("%-20s %9s %9s %10s %10s %7s\n", "command", "units in", "units out", "command ms",
                "WM_SETTEXT", "ratio");
    Measure("--> Unicode", ConvertToUnicode, ByteView(thai));
    Measure("--> TIS-620", ConvertToTis620, Wide(Unicode(thai)));
    Measure("%67&&#37; -->", DecodeEscapes, PercentLines(thai));
    Measure("--> UTF-8 Entities", EncodeEntities, Wide(Unicode(small)));
    Measure("--> %A1", EncodePercent, Wide(Unicode(small)));
    DestroyWindow(g_hDlg);
    return 0;
}
