// Plain loops for every fast path of the core; see plain_loops.h.
#include "plain_loops.h"

#include "cp874_table.h"

namespace {

int PlainByteOf(char16_t u) {
    for (int b = 0; b < 256; ++b) {
        if (b >= 0x88 && b <= 0x8C) continue;  // the elevated marks decode but are never written
        if (kCp874ToUtf16[b] == u) return b;
    }
    return -1;
}

int PlainHex(char16_t u) {
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

}  // namespace

Units PlainCp874ToUtf16(const Bytes& bytes) {
    Units out;
    for (unsigned char b : bytes) out += kCp874ToUtf16[b];
    return out;
}

Bytes PlainUtf16ToCp874(const Units& text) {
    static const std::vector<int> byteOf = [] {
        std::vector<int> v(65536);
        for (int u = 0; u < 65536; ++u) v[u] = PlainByteOf(static_cast<char16_t>(u));
        return v;
    }();
    Bytes out;
    for (size_t i = 0; i < text.size(); ++i) {
        int b = byteOf[text[i]];
        if (b < 0) {
            b = '?';
            if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                ++i;
            }
        }
        out.push_back(static_cast<unsigned char>(b));
    }
    return out;
}

Bytes PlainElevateToneMarks(Bytes bytes) {
    for (size_t i = 1; i < bytes.size(); ++i) {
        unsigned char prev = bytes[i - 1] >= 0x88 && bytes[i - 1] <= 0x8C
                                 ? bytes[i - 1] + 0x60  // undo this loop's own change
                                 : bytes[i - 1];
        bool upper = prev == 0xD1 || (prev >= 0xD4 && prev <= 0xD7);
        if (bytes[i] >= 0xE8 && bytes[i] <= 0xEC && !upper) bytes[i] -= 0x60;
    }
    return bytes;
}

Units PlainUtf16ToEntities(const Units& text) {
    Units out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long v = text[i];
        if (v >= 0xD800 && v <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            v = 0x10000 + ((v - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        out += u"&#";
        for (char c : std::to_string(v)) out += static_cast<char16_t>(c);
        out += u';';
    }
    return out;
}

Units PlainCp874ToPercent(const Bytes& bytes) {
    static const char hex[] = "0123456789abcdef";
    Units out;
    for (unsigned char b : bytes) {
        out += u'%';
        out += static_cast<char16_t>(hex[b >> 4]);
        out += static_cast<char16_t>(hex[b & 15]);
    }
    return out;
}

Units PlainEscapesToUtf16(const Units& t) {
    Units out;
    size_t p = 0;
    while (p < t.size()) {
        if (t[p] == '%' && p + 2 < t.size() && PlainHex(t[p + 1]) >= 0 && PlainHex(t[p + 2]) >= 0) {
            int v = PlainHex(t[p + 1]) * 16 + PlainHex(t[p + 2]);
            if (v != 0) {
                out += static_cast<char16_t>(v);
                p += 3;
                continue;
            }
        }
        if (t[p] == '&' && p + 1 < t.size() && t[p + 1] == '#') {
            size_t q = p + 2;
            while (q < t.size() && t[q] >= '0' && t[q] <= '9') ++q;
            size_t digits = q - p - 2;
            if (digits >= 2 && digits <= 4 && q < t.size() && t[q] == ';') {
                int v = std::stoi(std::string(t.begin() + p + 2, t.begin() + q));
                if (v != 0) {
                    out += static_cast<char16_t>(v);
                    p = q + 1;
                    continue;
                }
            }
        }
        out += t[p++];
    }
    return out;
}
