// The five commands of the main window. Each takes the main dialog, reads the
// whole text box, converts it and writes the result back as one replacement that
// Ctrl+Z undoes. A command allocates every buffer before it writes the box, so a
// failed allocation (std::bad_alloc) leaves the box as it was.
#pragma once

#include <windows.h>

// "--> Unicode": the byte view to the Unicode view. Each character that the
// system's ANSI code page holds exactly is taken as its byte and read as code
// page 874; every other character (Thai already in the Unicode view among them)
// passes through unchanged.
void ConvertToUnicode(HWND hDlg);

// "--> TIS-620": the Unicode view to the byte view, with smart tone-mark
// elevation when "Smart Tone Mark Elevation" is ticked as the command starts.
void ConvertToTis620(HWND hDlg);

// "--> UTF-8 Entities": every character to a decimal numeric character reference.
void EncodeEntities(HWND hDlg);

// "--> %A1": every code page 874 byte of the text to a percent escape.
void EncodePercent(HWND hDlg);

// "%67&&#37; -->": percent escapes and 2 to 4 digit references back to units.
void DecodeEscapes(HWND hDlg);
