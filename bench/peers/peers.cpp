#include "peers.h"

#include <iconv.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

bool IcuPeer::Open() {
    UErrorCode err = U_ZERO_ERROR;
    thai = ucnv_open("windows-874", &err);
    if (U_FAILURE(err)) return false;
    xmlDecimal = ucnv_open("US-ASCII", &err);
    if (U_FAILURE(err)) return false;
    ucnv_setFromUCallBack(xmlDecimal, UCNV_FROM_U_CALLBACK_ESCAPE, UCNV_ESCAPE_XML_DEC, nullptr,
                          nullptr, &err);
    return U_SUCCESS(err);
}

IcuPeer::~IcuPeer() {
    if (thai) ucnv_close(thai);
    if (xmlDecimal) ucnv_close(xmlDecimal);
}

long IcuPeer::Decode(const unsigned char* bytes, size_t count, char16_t* out, size_t capacity) {
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(thai, out, static_cast<int32_t>(capacity),
                              reinterpret_cast<const char*>(bytes), static_cast<int32_t>(count), &err);
    return U_FAILURE(err) ? -1 : n;
}

long IcuPeer::Encode(const char16_t* text, size_t count, unsigned char* out, size_t capacity) {
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(thai, reinterpret_cast<char*>(out), static_cast<int32_t>(capacity),
                                text, static_cast<int32_t>(count), &err);
    return U_FAILURE(err) ? -1 : n;
}

long IcuPeer::XmlDecimal(const char16_t* text, size_t count, char* out, size_t capacity) {
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(xmlDecimal, out, static_cast<int32_t>(capacity), text,
                                static_cast<int32_t>(count), &err);
    return U_FAILURE(err) ? -1 : n;
}

bool IconvPeer::Open() {
    toUnicode = iconv_open("UTF-16LE", "CP874");
    fromUnicode = iconv_open("CP874", "UTF-16LE");
    return toUnicode != reinterpret_cast<iconv_t>(-1) && fromUnicode != reinterpret_cast<iconv_t>(-1);
}

IconvPeer::~IconvPeer() {
    if (toUnicode != reinterpret_cast<iconv_t>(-1)) iconv_close(toUnicode);
    if (fromUnicode != reinterpret_cast<iconv_t>(-1)) iconv_close(fromUnicode);
}

namespace {

long Run(iconv_t cd, const void* in, size_t inBytes, void* out, size_t outBytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(static_cast<const char*>(in));
    char* dst = static_cast<char*>(out);
    size_t left = outBytes;
    if (iconv(cd, &src, &inBytes, &dst, &left) == static_cast<size_t>(-1)) return -1;
    return static_cast<long>(outBytes - left);
}

}  // namespace

long IconvPeer::Decode(const unsigned char* bytes, size_t count, char16_t* out, size_t capacity) {
    long n = Run(toUnicode, bytes, count, out, capacity * sizeof(char16_t));
    return n < 0 ? -1 : n / 2;
}

long IconvPeer::Encode(const char16_t* text, size_t count, unsigned char* out, size_t capacity) {
    return Run(fromUnicode, text, count * sizeof(char16_t), out, capacity);
}
