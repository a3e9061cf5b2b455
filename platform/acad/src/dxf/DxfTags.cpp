#include "dxf/DxfTags.h"

#include "AsciiCase.h"

#include <charconv>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrel::dxf {

std::string DxfError::text() const {
    if (line == 0)
        return message;
    return "line " + std::to_string(line) + ": " + message;
}

void fail(uint64_t line, std::string message) {
    throw DxfError{line, std::move(message)};
}

std::string excerpt(std::string_view text) {
    std::string out = "\"";
    size_t n = 0;
    for (unsigned char c : text) {
        if (++n > 40) {
            out += "...";
            break;
        }
        out += (c >= 0x20 && c < 0x7f) ? char(c) : '?';
    }
    return out + "\"";
}

TagReader::TagReader(std::string_view bytes, size_t start)
    : data_(bytes.data()), size_(bytes.size()), pos_(start) {}

uint64_t TagReader::newlineMask(size_t block) const {
    uint64_t mask = 0;
#if defined(__SSE2__)
    if (block + 64 <= size_) {
        const __m128i nl = _mm_set1_epi8('\n');
        for (int k = 0; k < 4; ++k) {
            __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data_ + block + 16 * k));
            uint64_t bits = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nl)));
            mask |= bits << (16 * k);
        }
        return mask;
    }
#endif
    for (size_t i = 0; i < 64 && block + i < size_; ++i)
        if (data_[block + i] == '\n')
            mask |= uint64_t(1) << i;
    return mask;
}

void TagReader::badCodeLine(const char* lineStart, const char* end) {
    const char* nl =
        static_cast<const char*>(std::memchr(lineStart, '\n', size_t(end - lineStart)));
    uint32_t tagNo = count_ - 1;
    fail(tagLine(tagNo),
         "a group code was expected, found " +
             excerpt(std::string_view(lineStart, size_t((nl ? nl : end) - lineStart))));
}

void TagReader::badCode(int code, bool noValue) {
    uint32_t tagNo = count_ - 1;
    if (!noValue)
        fail(tagLine(tagNo), "group code " + std::to_string(code) + " is out of range");
    fail(tagLine(tagNo) + 1, "group code " + std::to_string(code) +
                                 " has no value line (odd number of lines; truncated?)");
}

static std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool parseDouble(std::string_view text, double& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

bool parseInt(std::string_view text, long long& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

bool parseHandle(std::string_view text, uint64_t& value) {
    text = trim(text);
    if (text.empty() || text.size() > 16)
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return ec == std::errc() && ptr == text.data() + text.size();
}

std::string formatDouble(double value) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, ec == std::errc() ? ptr : buf);
    if (s.find_first_of(".eEn") == std::string::npos)
        s += ".0";
    return s;
}

std::string formatHandle(uint64_t value) {
    char buf[32];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, 16);
    return crt::UpperAZ(std::string(buf, ptr));
}

TagWriter::TagWriter(FILE* file, std::string lineEnd) : file_(file), lineEnd_(std::move(lineEnd)) {
    buffer_.reserve(1 << 20);
}

TagWriter::~TagWriter() = default;

void TagWriter::tag(int code, std::string_view value) {
    char buf[16];
    int n = std::snprintf(buf, sizeof buf, "%3d", code);
    buffer_.append(buf, size_t(n));
    buffer_ += lineEnd_;
    buffer_ += value;
    // Readers take a CR before the line feed as part of the line end: a value ending in CR
    // keeps it only with one more.
    if (!value.empty() && value.back() == '\r' && lineEnd_ == "\n")
        buffer_ += '\r';
    buffer_ += lineEnd_;
    if (buffer_.size() >= (1 << 20))
        flushBuffer();
}

void TagWriter::raw(std::string_view bytes) {
    if (bytes.size() < 4096) {
        buffer_ += bytes;
        if (buffer_.size() >= (1 << 20))
            flushBuffer();
        return;
    }
    flushBuffer();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        failed_ = true;
}

void TagWriter::flushBuffer() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        failed_ = true;
    buffer_.clear();
}

bool TagWriter::finish() {
    flushBuffer();
    if (std::fflush(file_) != 0)
        failed_ = true;
    return !failed_;
}

} // namespace kestrel::dxf
