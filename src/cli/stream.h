// The console program's conversions over whole streams, read and written in
// blocks so that memory stays the same whatever the size of the input.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

enum CliCommand {
    kCmdToUnicode,  // code page 874 bytes -> UTF-8
    kCmdToTis620,   // UTF-8 -> code page 874 bytes
    kCmdEntities,   // UTF-8 -> decimal references, one per character
    kCmdPercent,    // UTF-8 -> %xx escapes of the code page 874 bytes
    kCmdDecode,     // UTF-8 with escapes -> UTF-8
    kCmdRelayout,   // UTF-8 typed with the other keyboard layout -> UTF-8
};

enum RelayoutMode {
    kRelayoutUnset,
    kRelayoutToThai,     // --to-thai
    kRelayoutToEnglish,  // --to-english
    kRelayoutAuto,       // --auto
    kRelayoutTwoModes,   // two different ones given: a wrong command line
};

// The input block in bytes. Every buffer is a small multiple of it.
inline constexpr size_t kDefaultBlockSize = 64 * 1024;

struct CliOptions {
    CliCommand command = kCmdToUnicode;
    bool elevate = false;   // to-tis620: smart tone-mark elevation
    bool strict = false;    // to-tis620, percent: a character without a byte is an error
    RelayoutMode relayout = kRelayoutUnset;  // relayout: its direction
    bool report = false;    // relayout: how many runs changed, on standard error
    size_t blockSize = kDefaultBlockSize;
};

// Converts everything `in` holds and writes it to `out`. On failure returns
// false with the reason in *error (without the program's name); what was
// written before the failure stays written.
bool ConvertStream(const CliOptions& options, std::FILE* in, std::FILE* out, std::string* error);

// What every stream of the program shares.

// A byte order mark at the very start of UTF-8 input is skipped.
inline constexpr char16_t kByteOrderMark = 0xFEFF;

// Writes all `size` bytes (nothing where `out` is null); false with the reason
// in *error.
bool WriteAll(std::FILE* out, const void* data, size_t size, std::string* error);

// Reads up to `size` bytes into `data`; `atEnd` becomes true when the input has
// no more. False with the reason in *error.
bool ReadBlock(std::FILE* in, unsigned char* data, size_t size, size_t* got, bool* atEnd,
               std::string* error);

// The fault of input that is not UTF-8: "invalid UTF-8 at byte N".
std::string InvalidUtf8At(size_t offset);
