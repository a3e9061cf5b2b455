#include "ed/ScriptLine.h"

#include <cerrno>
#include <cmath>
#include <cwchar>
#include <cwctype>

#include <tchar.h>

#include "AsciiCase.h"

namespace ed {

std::optional<ScriptLine> ScriptLine::Parse(const std::wstring& line, std::wstring* error) {
    ScriptLine result;
    std::size_t i = 0, n = line.size();
    std::size_t textEnd = 0;
    bool sawComment = false;
    while (i < n) {
        wchar_t c = line[i];
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') {
            ++i;
            continue;
        }
        if (c == L'#') {
            sawComment = true;
            break;
        }
        ScriptToken token;
        if (c == L'"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == L'"') {
                    // A doubled quote inside a text stands for one quote.
                    if (i + 1 < n && line[i + 1] == L'"') {
                        token.text += L'"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                token.text += line[i++];
            }
            if (!closed) {
                if (error)
                    *error = L"a text in double quotes is not closed";
                return std::nullopt;
            }
        } else {
            while (i < n && line[i] != L' ' && line[i] != L'\t' && line[i] != L'\r' &&
                   line[i] != L'\n' && line[i] != L'#' && line[i] != L'"')
                token.text += line[i++];
        }
        textEnd = i;
        result.tokens_.push_back(std::move(token));
    }
    std::size_t start = line.find_first_not_of(L" \t");
    result.text_ = start == std::wstring::npos || textEnd <= start
                       ? std::wstring()
                       : line.substr(start, textEnd - start);
    result.commentOnly_ = sawComment && result.tokens_.empty();
    return result;
}

std::wstring ScriptLine::Verb() const {
    if (tokens_.empty() || tokens_[0].quoted)
        return L"";
    return crt::UpperAZ(tokens_[0].text);
}

bool ScriptLine::Is(std::size_t i, const wchar_t* word) const {
    return i < tokens_.size() && !tokens_[i].quoted && _wcsicmp(tokens_[i].text.c_str(), word) == 0;
}

std::optional<double> ParseNumber(const std::wstring& text) {
    if (text.empty() || std::iswspace(text[0]))
        return std::nullopt;
    // Plain decimal numbers only: no hexadecimal, infinities or NaN.
    for (wchar_t c : text)
        if (!(std::iswdigit(c) || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E'))
            return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    double value = wcstod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Point3> ParsePoint(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(L',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    double values[3] = {0, 0, 0};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto value = ParseNumber(parts[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return Point3{values[0], values[1], values[2]};
}

} // namespace ed
