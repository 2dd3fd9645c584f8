// The converters a user would otherwise pick, each behind one call that takes
// a whole text, so that the benchmark times them on the same terms as ours.
// Each returns the length of its output, or -1 when it fails.
#pragma once

#include <cstddef>

struct UConverter;
typedef void* iconv_t;

// ICU: windows-874 both ways, and US-ASCII writing each character it lacks as
// an XML decimal reference ("&#3585;").
struct IcuPeer {
    UConverter* thai = nullptr;
    UConverter* xmlDecimal = nullptr;
    bool Open();
    ~IcuPeer();
    long Decode(const unsigned char* bytes, size_t count, char16_t* out, size_t capacity);
    long Encode(const char16_t* text, size_t count, unsigned char* out, size_t capacity);
    long XmlDecimal(const char16_t* text, size_t count, char* out, size_t capacity);
};

// glibc iconv: CP874 to UTF-16LE and back.
struct IconvPeer {
    iconv_t toUnicode = reinterpret_cast<iconv_t>(-1);
    iconv_t fromUnicode = reinterpret_cast<iconv_t>(-1);
    bool Open();
    ~IconvPeer();
    long Decode(const unsigned char* bytes, size_t count, char16_t* out, size_t capacity);
    long Encode(const char16_t* text, size_t count, unsigned char* out, size_t capacity);
};
