#include "dxf/DxfText.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iconv.h>

#include "AsciiCase.h"
#include "Utf8.h"
#include "dxf/DxfTags.h"

namespace kestrel::dxf {

static iconv_t asIconv(void* p) {
    return static_cast<iconv_t>(p);
}

int acadVersionNumber(std::string_view acadver) {
    if (acadver.size() < 6 || acadver.substr(0, 2) != "AC")
        return 1009;
    // The digits after "AC" as the runtime reads a number, held to what an int can take.
    long version = std::strtol(std::string(acadver.substr(2)).c_str(), nullptr, 10);
    return int(std::clamp(version, long(INT_MIN), long(INT_MAX)));
}

TextCodec::TextCodec() {
    configure(1009, "ANSI_1252");
}

TextCodec::~TextCodec() {
    close();
}

void TextCodec::close() {
    if (toWide_)
        iconv_close(asIconv(toWide_));
    if (fromWide_)
        iconv_close(asIconv(fromWide_));
    toWide_ = fromWide_ = nullptr;
}

void TextCodec::configure(int version, std::string_view codepage) {
    close();
    utf8_ = version >= 1021;
    std::string cp = crt::UpperAZ(std::string(codepage));
    charset_ = "CP1252";
    if (cp.rfind("ANSI_", 0) == 0 && cp.size() > 5)
        charset_ = "CP" + cp.substr(5);
    else if (cp.rfind("DOS", 0) == 0 && cp.size() > 3)
        charset_ = "CP" + cp.substr(3);
    if (utf8_)
        return;
    iconv_t to = iconv_open("WCHAR_T", charset_.c_str());
    iconv_t from = iconv_open(charset_.c_str(), "WCHAR_T");
    if (to == iconv_t(-1) || from == iconv_t(-1)) {
        if (to != iconv_t(-1))
            iconv_close(to);
        if (from != iconv_t(-1))
            iconv_close(from);
        charset_ = "CP1252";
        to = iconv_open("WCHAR_T", "CP1252");
        from = iconv_open("CP1252", "WCHAR_T");
    }
    toWide_ = to;
    fromWide_ = from;
}

// Replaces \U+XXXX escapes by the characters they stand for.
static std::wstring unescape(std::wstring s) {
    if (s.find(L"\\U+") == std::wstring::npos)
        return s;
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 7 <= s.size() && s[i + 1] == L'U' && s[i + 2] == L'+') {
            int v = 0;
            bool ok = true;
            for (int k = 0; k < 4; ++k) {
                wchar_t h = s[i + 3 + k];
                int d = h < 128 ? hexDigit(char(h)) : -1;
                if (d < 0) {
                    ok = false;
                    break;
                }
                v = v * 16 + d;
            }
            if (ok) {
                out += wchar_t(v);
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

static bool plainAscii(std::string_view raw) {
    for (char c : raw)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\\')
            return false;
    return true;
}

std::wstring TextCodec::decode(std::string_view raw) const {
    if (plainAscii(raw))
        return std::wstring(raw.begin(), raw.end());
    if (utf8_)
        return unescape(crt::FromUtf8(raw));
    std::wstring out(raw.size() + 2, L'\0');
    iconv(asIconv(toWide_), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(raw.data());
    size_t inLeft = raw.size();
    char* dst = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(wchar_t);
    while (inLeft > 0) {
        if (iconv(asIconv(toWide_), &in, &inLeft, &dst, &outLeft) != size_t(-1))
            break;
        // A byte the code page does not define: keep it as the character of that value.
        if (outLeft < sizeof(wchar_t))
            break;
        wchar_t w = wchar_t(static_cast<unsigned char>(*in));
        std::memcpy(dst, &w, sizeof w);
        dst += sizeof w;
        outLeft -= sizeof w;
        ++in;
        --inLeft;
    }
    // Some code pages (1255 among them) hold back a character that a following mark could
    // combine with: flush it.
    iconv(asIconv(toWide_), nullptr, nullptr, &dst, &outLeft);
    out.resize(out.size() - outLeft / sizeof(wchar_t));
    return unescape(std::move(out));
}

std::string TextCodec::encode(std::wstring_view text) const {
    bool ascii = true;
    for (wchar_t c : text)
        if (uint32_t(c) >= 0x80)
            ascii = false;
    if (ascii)
        return std::string(text.begin(), text.end());
    if (utf8_)
        return crt::ToUtf8(text);
    std::string out;
    for (wchar_t c : text) {
        if (uint32_t(c) < 0x80) {
            out += char(c);
            continue;
        }
        char buf[8];
        char* in = reinterpret_cast<char*>(&c);
        size_t inLeft = sizeof c;
        char* dst = buf;
        size_t outLeft = sizeof buf;
        iconv(asIconv(fromWide_), nullptr, nullptr, nullptr, nullptr);
        if (uint32_t(c) <= 0xffff &&
            iconv(asIconv(fromWide_), &in, &inLeft, &dst, &outLeft) != size_t(-1)) {
            out.append(buf, size_t(dst - buf));
        } else {
            char esc[16];
            std::snprintf(esc, sizeof esc, "\\U+%04X", unsigned(c) & 0xffffu);
            out += esc;
        }
    }
    return out;
}

std::string TextCodec::keyOfWide(std::wstring_view text) {
    return crt::ToUtf8(crt::UpperAZ(std::wstring(text)));
}

std::string TextCodec::keyOfRaw(std::string_view raw) const {
    if (plainAscii(raw))
        return crt::UpperAZ(std::string(raw));
    return keyOfWide(decode(raw));
}

} // namespace kestrel::dxf
