#include <afx.h>

#include <cwchar>

#include "AsciiCase.h"

CString::CString(const char* text) {
    for (const char* p = text; p && *p; ++p)
        text_ += static_cast<wchar_t>(static_cast<unsigned char>(*p));
}

int CString::Compare(const wchar_t* other) const {
    int r = std::wcscmp(text_.c_str(), other ? other : L"");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(const wchar_t* other) const {
    int r = _wcsicmp(text_.c_str(), other ? other : L"");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

CString CString::Mid(int first, int count) const {
    // Out-of-range arguments are clipped to the string rather than failing.
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= GetLength())
        return CString();
    return CString(text_.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const {
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(text_.substr(text_.size() - static_cast<std::size_t>(count)));
}

int CString::Find(wchar_t c, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    auto at = text_.find(c, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    auto at = text_.find(sub, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t c) const {
    auto at = text_.rfind(c);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(wchar_t from, wchar_t to) {
    if (from == to) // the library reports no replacements here
        return 0;
    int count = 0;
    for (wchar_t& c : text_)
        if (c == from) {
            c = to;
            ++count;
        }
    return count;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
    if (!from || !*from)
        return 0;
    const std::wstring needle = from;
    const std::wstring replacement = to ? to : L"";
    int count = 0;
    std::wstring result;
    std::size_t pos = 0;
    for (std::size_t at; (at = text_.find(needle, pos)) != std::wstring::npos;) {
        result.append(text_, pos, at - pos);
        result += replacement;
        pos = at + needle.size();
        ++count;
    }
    if (count) {
        result.append(text_, pos);
        text_.swap(result);
    }
    return count;
}

int CString::Remove(wchar_t c) {
    auto before = text_.size();
    std::erase(text_, c);
    return static_cast<int>(before - text_.size());
}

int CString::Insert(int index, const wchar_t* text) {
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    if (text)
        text_.insert(static_cast<std::size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0)
        index = 0;
    if (count > 0 && index < GetLength())
        text_.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

CString& CString::MakeLower() {
    for (wchar_t& c : text_)
        c = crt::ToLowerAZ(c);
    return *this;
}

CString& CString::MakeUpper() {
    for (wchar_t& c : text_)
        c = crt::ToUpperAZ(c);
    return *this;
}

namespace {
bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}
} // namespace

CString& CString::TrimLeft() {
    std::size_t n = 0;
    while (n < text_.size() && IsBlank(text_[n]))
        ++n;
    text_.erase(0, n);
    return *this;
}

CString& CString::TrimRight() {
    while (!text_.empty() && IsBlank(text_.back()))
        text_.pop_back();
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        text_.resize(static_cast<std::size_t>(minLength));
    return text_.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
    text_.resize(Clamp(length));
    return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(std::wcslen(text_.c_str()));
    if (newLength < GetLength())
        text_.resize(static_cast<std::size_t>(newLength));
}
