#pragma once
// Tag layer of ASCII DXF: a drawing is a sequence of (group code, value) line pairs.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::dxf {

struct Tag {
    int code = 0;
    std::string_view value;
};

// Why a drawing was refused: the 1-based line (0 for the file as a whole) and the problem.
struct DxfError {
    uint64_t line = 0;
    std::string message;
    std::string text() const;
};

[[noreturn]] void fail(uint64_t line, std::string message);

// Printable excerpt of file text for messages.
std::string excerpt(std::string_view text);

// Line of tag i's group code: tags are line pairs, so its value is on the next line.
inline uint64_t tagLine(uint32_t i) {
    return 2 * uint64_t(i) + 1;
}

// Reads tags one after the other, checking each.
class TagReader {
public:
    explicit TagReader(std::string_view bytes, size_t start = 0);
    // False at the end of the bytes; a malformed tag throws DxfError naming its line.
    inline bool next(Tag& tag);
    // Number and byte offset of the tag next() returned last.
    uint32_t lastIndex() const { return count_ - 1; }
    size_t lastStart() const { return lastStart_; }
    size_t position() const { return pos_; }

private:
    [[noreturn]] void badCodeLine(const char* lineStart, const char* end);
    [[noreturn]] void badCode(int code, bool noValue);
    // Offset of the first line feed at or after from, or size_ when none.
    inline size_t newlineFrom(size_t from);
    uint64_t newlineMask(size_t block) const;
    const char* data_;
    size_t size_;
    size_t pos_;
    size_t lastStart_ = 0;
    uint32_t count_ = 0;
    // Line feeds of the current 64-byte block, one bit each.
    size_t block_ = ~size_t(0);
    uint64_t mask_ = 0;
};

// The tags of bytes that a TagReader has already checked, read again on demand.
class TagRange {
public:
    TagRange(std::string_view bytes, size_t begin, size_t end)
        : data_(bytes.data()), pos_(begin), end_(end) {}
    inline bool next(Tag& tag);
    size_t lastStart() const { return lastStart_; }
    size_t position() const { return pos_; }

private:
    const char* data_;
    size_t pos_;
    size_t end_;
    size_t lastStart_ = 0;
};

inline bool isValidCode(int code) {
    return code >= -5 && code <= 1071;
}

// Application groups (102 "{ACAD_REACTORS" ... 102 "}") nest inside a record; the tags within
// them are the group's, not the record's own fields.
class AppGroupDepth {
public:
    // True when the tag opens or closes a group.
    bool step(int code, std::string_view value) {
        if (code != 102)
            return false;
        if (!value.empty() && value.front() == '{')
            ++depth_;
        else if (depth_ > 0)
            --depth_;
        return true;
    }
    bool inside() const { return depth_ > 0; }

private:
    int depth_ = 0;
};

// Numbers in DXF text.
int hexDigit(char c); // -1 for a character that is none
bool parseDouble(std::string_view text, double& value);
bool parseInt(std::string_view text, long long& value);
bool parseHandle(std::string_view text, uint64_t& value);
std::string formatDouble(double value);
std::string formatHandle(uint64_t value);

// Buffered writer of tags and raw spans into a file.
class TagWriter {
public:
    TagWriter(FILE* file, std::string lineEnd);
    ~TagWriter();
    void tag(int code, std::string_view value);
    void raw(std::string_view bytes);
    // Flushes; false if any write failed.
    bool finish();

private:
    void flushBuffer();
    FILE* file_;
    std::string lineEnd_;
    std::string buffer_;
    bool failed_ = false;
};

// Most DXF lines are a few bytes long: a plain loop beats memchr's call until a line proves long.
inline const char* findNewline(const char* p, const char* end) {
    const char* shortEnd = end - p > 24 ? p + 24 : end;
    for (; p < shortEnd; ++p)
        if (*p == '\n')
            return p;
    if (p == end)
        return nullptr;
    return static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
}

inline size_t TagReader::newlineFrom(size_t from) {
    size_t block = from & ~size_t(63);
    if (block != block_) {
        block_ = block;
        mask_ = newlineMask(block);
    }
    uint64_t m = mask_ & (~uint64_t(0) << (from - block));
    while (m == 0) {
        block += 64;
        if (block >= size_)
            return size_;
        block_ = block;
        mask_ = m = newlineMask(block);
    }
    return block + size_t(__builtin_ctzll(m));
}

inline bool TagReader::next(Tag& tag) {
    if (pos_ >= size_)
        return false;
    const char* lineStart = data_ + pos_;
    const char* end = data_ + size_;
    lastStart_ = pos_;
    ++count_;
    size_t codeEnd = newlineFrom(pos_);
    const char* p = lineStart;
    const char* nlp = data_ + codeEnd;
    int v = 0;
    // The usual code line: three characters, the code right-aligned ("  0", " 10", "100").
    if (nlp - p == 3 && p[2] >= '0' && p[2] <= '9' &&
        (p[1] == ' ' || (p[1] >= '0' && p[1] <= '9')) &&
        (p[0] == ' ' || (p[0] >= '0' && p[0] <= '9' && p[1] != ' '))) {
        v = p[2] - '0';
        if (p[1] != ' ')
            v += 10 * (p[1] - '0');
        if (p[0] != ' ')
            v += 100 * (p[0] - '0');
    } else {
        while (p < nlp && *p == ' ')
            ++p;
        bool negative = p < nlp && *p == '-';
        if (negative)
            ++p;
        int digits = 0;
        while (p < nlp && *p >= '0' && *p <= '9' && digits < 6) {
            v = v * 10 + (*p++ - '0');
            ++digits;
        }
        while (p < nlp && (*p == ' ' || *p == '\r'))
            ++p;
        if (digits == 0 || p != nlp)
            badCodeLine(lineStart, end);
        if (negative)
            v = -v;
        if (!isValidCode(v))
            badCode(v, false);
    }
    if (codeEnd + 1 >= size_)
        badCode(v, true);
    size_t valueStart = codeEnd + 1;
    size_t valueEnd = newlineFrom(valueStart);
    pos_ = valueEnd < size_ ? valueEnd + 1 : size_;
    if (valueEnd > valueStart && data_[valueEnd - 1] == '\r')
        --valueEnd;
    tag.code = v;
    tag.value = std::string_view(data_ + valueStart, valueEnd - valueStart);
    return true;
}

inline bool TagRange::next(Tag& tag) {
    if (pos_ >= end_)
        return false;
    const char* p = data_ + pos_;
    const char* end = data_ + end_;
    lastStart_ = pos_;
    while (*p == ' ')
        ++p;
    bool negative = *p == '-';
    if (negative)
        ++p;
    int v = 0;
    while (*p >= '0' && *p <= '9')
        v = v * 10 + (*p++ - '0');
    const char* nl = findNewline(p, end);
    const char* valueStart = nl + 1;
    nl = findNewline(valueStart, end);
    const char* valueEnd = nl ? nl : end;
    pos_ = size_t((nl ? nl + 1 : end) - data_);
    if (valueEnd > valueStart && valueEnd[-1] == '\r')
        --valueEnd;
    tag.code = negative ? -v : v;
    tag.value = std::string_view(valueStart, size_t(valueEnd - valueStart));
    return true;
}

} // namespace kestrel::dxf
