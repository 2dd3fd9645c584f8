// Reading and writing the text box, and the system's ANSI code page as a table:
// the platform side that the commands share.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <new>

// A buffer of count * factor elements. A size that cannot be represented is an
// allocation failure like any other: std::bad_alloc.
template <class T>
std::unique_ptr<T[]> AllocateBuffer(size_t count, size_t factor = 1) {
    if (factor != 0 && count > static_cast<size_t>(-1) / sizeof(T) / factor) throw std::bad_alloc();
    return std::unique_ptr<T[]>(new T[count * factor]);
}

// The whole text of the box in a buffer of its reported length plus one, ended
// with a NUL; `length` receives the number of units before that NUL.
std::unique_ptr<char16_t[]> ReadBoxText(HWND hBox, size_t* length);

// Makes `text` (NUL-terminated) the box's whole content, as one replacement that
// the box can undo. The box's text limit is lifted where the text would pass it,
// so nothing is cut.
void WriteBoxText(HWND hBox, const char16_t* text);

// The same, for a byte text in the system's ANSI code page: each byte becomes
// the character that the ANSI code page gives it, as SetWindowTextA would.
void WriteBoxTextAnsi(HWND hBox, const char* text);

// For each byte b, the unit that the ANSI code page gives it where that unit
// converts back to exactly b; 0 where there is none (units[0] is 0).
void ReadAnsiCodePage(char16_t units[256]);
