// The five commands: read the box, call the conversion, write the box.
#include "convert.h"

#include "cp874.h"
#include "escapes.h"
#include "resource.h"
#include "textbox.h"

namespace {

// Reads the box, converts its text into a buffer of `unitsPerUnit` units for
// each unit read, and writes the result back.
void RewriteBoxText(HWND hDlg, size_t unitsPerUnit, size_t (*convert)(const char16_t*, size_t, char16_t*)) {
    HWND hBox = GetDlgItem(hDlg, IDC_TEXT);
    size_t length = 0;
    auto text = ReadBoxText(hBox, &length);
    auto result = AllocateBuffer<char16_t>(length + 1, unitsPerUnit);
    result[convert(text.get(), length, result.get())] = 0;
    text.reset();
    WriteBoxText(hBox, result.get());
}

}  // namespace

void ConvertToUnicode(HWND hDlg) {
    HWND hBox = GetDlgItem(hDlg, IDC_TEXT);
    size_t length = 0;
    auto text = ReadBoxText(hBox, &length);
    char16_t ansiUnits[256];
    ReadAnsiCodePage(ansiUnits);
    auto result = AllocateBuffer<char16_t>(length + 1);
    result[ByteViewToUtf16(text.get(), length, ansiUnits, result.get())] = 0;
    WriteBoxText(hBox, result.get());
}

void ConvertToTis620(HWND hDlg) {
    HWND hBox = GetDlgItem(hDlg, IDC_TEXT);
    const bool elevate = IsDlgButtonChecked(hDlg, IDC_SMART_TONE) != 0;
    size_t length = 0;
    auto text = ReadBoxText(hBox, &length);
    size_t count = Utf16ToCp874(text.get(), length, nullptr);
    auto bytes = AllocateBuffer<unsigned char>(count + 1);
    Utf16ToCp874(text.get(), length, bytes.get());
    bytes[count] = 0;
    if (elevate) ElevateToneMarks(bytes.get(), count);
    text.reset();
    WriteBoxTextAnsi(hBox, reinterpret_cast<const char*>(bytes.get()));
}

void EncodeEntities(HWND hDlg) { RewriteBoxText(hDlg, kEntityUnitsPerUnit, Utf16ToEntities); }

void EncodePercent(HWND hDlg) {
    HWND hBox = GetDlgItem(hDlg, IDC_TEXT);
    size_t length = 0;
    auto text = ReadBoxText(hBox, &length);
    size_t count = Utf16ToCp874(text.get(), length, nullptr);
    auto bytes = AllocateBuffer<unsigned char>(count + 1);
    Utf16ToCp874(text.get(), length, bytes.get());
    text.reset();
    auto result = AllocateBuffer<char16_t>(count + 1, kPercentUnitsPerByte);
    result[Cp874ToPercent(bytes.get(), count, result.get())] = 0;
    bytes.reset();
    WriteBoxText(hBox, result.get());
}

void DecodeEscapes(HWND hDlg) { RewriteBoxText(hDlg, 1, EscapesToUtf16); }
