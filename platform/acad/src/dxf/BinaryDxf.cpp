#include "dxf/BinaryDxf.h"

#include "dxf/DxfTags.h"

#include <cstring>

namespace kestrel::dxf {

namespace {

constexpr std::string_view kSentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

enum class Type { String, Double, Int16, Int32, Int64, Bool, Chunk };

Type typeOf(int code) {
    if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) ||
        (code >= 210 && code <= 239) || (code >= 460 && code <= 469) ||
        (code >= 1010 && code <= 1059))
        return Type::Double;
    if ((code >= 60 && code <= 79) || (code >= 170 && code <= 179) ||
        (code >= 270 && code <= 289) || (code >= 370 && code <= 389) ||
        (code >= 400 && code <= 409) || (code >= 1060 && code <= 1070))
        return Type::Int16;
    if ((code >= 90 && code <= 99) || (code >= 420 && code <= 429) ||
        (code >= 440 && code <= 459) || code == 1071)
        return Type::Int32;
    if (code >= 160 && code <= 169)
        return Type::Int64;
    if (code >= 290 && code <= 299)
        return Type::Bool;
    if ((code >= 310 && code <= 319) || code == 1004)
        return Type::Chunk;
    return Type::String;
}

template <class T> T load(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v); // the file is little-endian, as is every machine we build for
    return v;
}

template <class T> void store(std::string& out, T v) {
    char buf[sizeof v];
    std::memcpy(buf, &v, sizeof v);
    out.append(buf, sizeof v);
}

void appendCode(std::string& out, int code) {
    char buf[16];
    int n = std::snprintf(buf, sizeof buf, "%3d\n", code);
    out.append(buf, size_t(n));
}

} // namespace

bool isBinaryDxf(std::string_view bytes) {
    return bytes.substr(0, kSentinel.size()) == kSentinel;
}

std::string binaryToText(std::string_view bytes, bool& oneByteCodes) {
    size_t pos = kSentinel.size();
    oneByteCodes = bytes.size() > pos + 1 && bytes[pos + 1] != '\0';
    std::string out;
    out.reserve(bytes.size() * 2);
    auto need = [&](size_t n, const char* what) {
        if (bytes.size() - pos < n)
            fail(0, "binary DXF: the file ends inside " + std::string(what) + " at byte " +
                        std::to_string(pos) + " (truncated?)");
    };
    while (pos < bytes.size()) {
        size_t tagStart = pos;
        int code;
        if (oneByteCodes) {
            need(1, "a group code");
            code = static_cast<unsigned char>(bytes[pos++]);
            if (code == 255) {
                need(2, "a group code");
                code = load<int16_t>(bytes.data() + pos);
                pos += 2;
            }
        } else {
            need(2, "a group code");
            code = load<int16_t>(bytes.data() + pos);
            pos += 2;
        }
        if (!isValidCode(code))
            fail(0, "binary DXF: group code " + std::to_string(code) + " at byte " +
                        std::to_string(tagStart) + " is out of range");
        appendCode(out, code);
        switch (typeOf(code)) {
        case Type::String: {
            const void* nul = std::memchr(bytes.data() + pos, 0, bytes.size() - pos);
            if (!nul)
                fail(0, "binary DXF: the string at byte " + std::to_string(pos) +
                            " is not terminated (truncated?)");
            size_t len = size_t(static_cast<const char*>(nul) - (bytes.data() + pos));
            std::string_view value = bytes.substr(pos, len);
            if (value.find('\n') != std::string_view::npos)
                fail(0, "binary DXF: the string at byte " + std::to_string(pos) +
                            " holds a line feed");
            out += value;
            if (!value.empty() && value.back() == '\r')
                out += '\r'; // the line end takes one CR away again
            pos += len + 1;
            bool eof = code == 0 && value == "EOF";
            out += '\n';
            if (eof) {
                out.append(bytes.substr(pos)); // kept as it is
                return out;
            }
            continue;
        }
        case Type::Double:
            need(8, "a number");
            out += formatDouble(load<double>(bytes.data() + pos));
            pos += 8;
            break;
        case Type::Int16:
            need(2, "a number");
            out += std::to_string(load<int16_t>(bytes.data() + pos));
            pos += 2;
            break;
        case Type::Int32:
            need(4, "a number");
            out += std::to_string(load<int32_t>(bytes.data() + pos));
            pos += 4;
            break;
        case Type::Int64:
            need(8, "a number");
            out += std::to_string(load<int64_t>(bytes.data() + pos));
            pos += 8;
            break;
        case Type::Bool:
            need(1, "a flag");
            out += std::to_string(static_cast<unsigned char>(bytes[pos]));
            pos += 1;
            break;
        case Type::Chunk: {
            need(1, "binary data");
            size_t len = static_cast<unsigned char>(bytes[pos++]);
            need(len, "binary data");
            static const char hex[] = "0123456789ABCDEF";
            for (size_t i = 0; i < len; ++i) {
                unsigned char c = static_cast<unsigned char>(bytes[pos + i]);
                out += hex[c >> 4];
                out += hex[c & 15];
            }
            pos += len;
            break;
        }
        }
        out += '\n';
    }
    return out; // no EOF: the structure layer says so
}

std::string textToBinary(std::string_view text, bool oneByteCodes) {
    std::string out(kSentinel);
    out.reserve(text.size());
    TagRange tags(text, 0, text.size());
    Tag t;
    while (tags.next(t)) {
        if (oneByteCodes) {
            if (t.code >= 0 && t.code < 255) {
                out += char(t.code);
            } else {
                out += char(255);
                store<int16_t>(out, int16_t(t.code));
            }
        } else {
            store<int16_t>(out, int16_t(t.code));
        }
        auto bad = [&]() {
            fail(0, "binary DXF: group code " + std::to_string(t.code) + " cannot hold " +
                        excerpt(t.value));
        };
        long long i = 0;
        double d = 0;
        switch (typeOf(t.code)) {
        case Type::String:
            out += t.value;
            out += '\0';
            if (t.code == 0 && t.value == "EOF") {
                out.append(text.substr(tags.position()));
                return out;
            }
            break;
        case Type::Double:
            if (!parseDouble(t.value, d))
                bad();
            store<double>(out, d);
            break;
        case Type::Int16:
            if (!parseInt(t.value, i))
                bad();
            store<int16_t>(out, int16_t(i));
            break;
        case Type::Int32:
            if (!parseInt(t.value, i))
                bad();
            store<int32_t>(out, int32_t(i));
            break;
        case Type::Int64:
            if (!parseInt(t.value, i))
                bad();
            store<int64_t>(out, int64_t(i));
            break;
        case Type::Bool:
            if (!parseInt(t.value, i))
                bad();
            out += char(i);
            break;
        case Type::Chunk: {
            std::string_view hex = t.value;
            if (hex.size() % 2 || hex.size() > 510)
                bad();
            out += char(hex.size() / 2);
            for (size_t k = 0; k < hex.size(); k += 2) {
                auto nibble = [&](char c) {
                    if (c >= '0' && c <= '9')
                        return c - '0';
                    if (c >= 'A' && c <= 'F')
                        return c - 'A' + 10;
                    if (c >= 'a' && c <= 'f')
                        return c - 'a' + 10;
                    bad();
                    return 0;
                };
                out += char(nibble(hex[k]) * 16 + nibble(hex[k + 1]));
            }
            break;
        }
        }
    }
    return out;
}

} // namespace kestrel::dxf
