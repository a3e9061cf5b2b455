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

// The binary form read front to back; a value cut short names its byte offset.
class BinaryReader {
public:
    BinaryReader(std::string_view bytes, size_t pos) : bytes_(bytes), pos_(pos) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }

    template <class T> T take(const char* what) {
        need(sizeof(T), what);
        T v = load<T>(bytes_.data() + pos_);
        pos_ += sizeof(T);
        return v;
    }
    int code(bool oneByte) {
        size_t start = pos_;
        int code = oneByte ? take<uint8_t>("a group code") : take<int16_t>("a group code");
        if (oneByte && code == 255)
            code = take<int16_t>("a group code");
        if (!isValidCode(code))
            fail(0, "binary DXF: group code " + std::to_string(code) + " at byte " +
                        std::to_string(start) + " is out of range");
        return code;
    }
    std::string_view string() {
        const void* nul = std::memchr(bytes_.data() + pos_, 0, bytes_.size() - pos_);
        if (!nul)
            fail(0, "binary DXF: the string at byte " + std::to_string(pos_) +
                        " is not terminated (truncated?)");
        size_t len = size_t(static_cast<const char*>(nul) - (bytes_.data() + pos_));
        std::string_view value = bytes_.substr(pos_, len);
        if (value.find('\n') != std::string_view::npos)
            fail(0,
                 "binary DXF: the string at byte " + std::to_string(pos_) + " holds a line feed");
        pos_ += len + 1;
        return value;
    }
    std::string_view chunk() {
        size_t len = take<uint8_t>("binary data");
        need(len, "binary data");
        std::string_view data = bytes_.substr(pos_, len);
        pos_ += len;
        return data;
    }
    std::string_view rest() const { return bytes_.substr(pos_); }

private:
    void need(size_t n, const char* what) const {
        if (bytes_.size() - pos_ < n)
            fail(0, "binary DXF: the file ends inside " + std::string(what) + " at byte " +
                        std::to_string(pos_) + " (truncated?)");
    }
    std::string_view bytes_;
    size_t pos_;
};

// A non-string value as its text.
void appendNumber(std::string& out, Type type, BinaryReader& in) {
    static const char hex[] = "0123456789ABCDEF";
    switch (type) {
    case Type::Double:
        out += formatDouble(in.take<double>("a number"));
        break;
    case Type::Int16:
        out += std::to_string(in.take<int16_t>("a number"));
        break;
    case Type::Int32:
        out += std::to_string(in.take<int32_t>("a number"));
        break;
    case Type::Int64:
        out += std::to_string(in.take<int64_t>("a number"));
        break;
    case Type::Bool:
        out += std::to_string(in.take<uint8_t>("a flag"));
        break;
    case Type::Chunk:
        for (unsigned char c : in.chunk()) {
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        break;
    case Type::String:
        break;
    }
}

// A non-string value of text in binary; false when the text is no such value.
bool appendBinary(std::string& out, Type type, std::string_view value) {
    long long i = 0;
    double d = 0;
    switch (type) {
    case Type::Double:
        if (!parseDouble(value, d))
            return false;
        store<double>(out, d);
        return true;
    case Type::Int16:
    case Type::Int32:
    case Type::Int64:
    case Type::Bool:
        if (!parseInt(value, i))
            return false;
        if (type == Type::Int16)
            store<int16_t>(out, int16_t(i));
        else if (type == Type::Int32)
            store<int32_t>(out, int32_t(i));
        else if (type == Type::Int64)
            store<int64_t>(out, int64_t(i));
        else
            out += char(i);
        return true;
    case Type::Chunk:
        if (value.size() % 2 || value.size() > 510)
            return false;
        out += char(value.size() / 2);
        for (size_t k = 0; k < value.size(); k += 2) {
            int high = hexDigit(value[k]), low = hexDigit(value[k + 1]);
            if (high < 0 || low < 0)
                return false;
            out += char(high * 16 + low);
        }
        return true;
    case Type::String:
        break;
    }
    return false;
}

} // namespace

bool isBinaryDxf(std::string_view bytes) {
    return bytes.substr(0, kSentinel.size()) == kSentinel;
}

std::string binaryToText(std::string_view bytes, bool& oneByteCodes) {
    oneByteCodes = bytes.size() > kSentinel.size() + 1 && bytes[kSentinel.size() + 1] != '\0';
    BinaryReader in(bytes, kSentinel.size());
    std::string out;
    out.reserve(bytes.size() * 2);
    while (!in.atEnd()) {
        int code = in.code(oneByteCodes);
        appendCode(out, code);
        Type type = typeOf(code);
        if (type != Type::String) {
            appendNumber(out, type, in);
            out += '\n';
            continue;
        }
        std::string_view value = in.string();
        out += value;
        if (!value.empty() && value.back() == '\r')
            out += '\r'; // the line end takes one CR away again
        out += '\n';
        if (code == 0 && value == "EOF") {
            out.append(in.rest()); // kept as it is
            return out;
        }
    }
    return out; // no EOF: the structure layer says so
}

std::string textToBinary(std::string_view text, bool oneByteCodes) {
    std::string out(kSentinel);
    out.reserve(text.size());
    TagRange tags(text, 0, text.size());
    Tag t;
    while (tags.next(t)) {
        if (!oneByteCodes)
            store<int16_t>(out, int16_t(t.code));
        else if (t.code >= 0 && t.code < 255)
            out += char(t.code);
        else {
            out += char(255);
            store<int16_t>(out, int16_t(t.code));
        }
        Type type = typeOf(t.code);
        if (type != Type::String) {
            if (!appendBinary(out, type, t.value))
                fail(0, "binary DXF: group code " + std::to_string(t.code) + " cannot hold " +
                            excerpt(t.value));
            continue;
        }
        out += t.value;
        out += '\0';
        if (t.code == 0 && t.value == "EOF") {
            out.append(text.substr(tags.position()));
            return out;
        }
    }
    return out;
}

} // namespace kestrel::dxf
