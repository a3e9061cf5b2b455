#pragma once
// The class library's wide string: a value type with the desktop library's member names,
// implicitly readable as a C string, with printf-style formatting by the runtime's rules.

#include <compare>
#include <string>

#include <tchar.h>
#include <windef.h>

class CString {
public:
    CString() = default;
    CString(const wchar_t* text) : text_(text ? text : L"") {}
    CString(const wchar_t* text, int length) : text_(text ? text : L"", text ? Clamp(length) : 0) {}
    CString(wchar_t c, int repeat = 1) : text_(Clamp(repeat), c) {}
    CString(const std::wstring& text) : text_(text) {}
    explicit CString(const char* text); // bytes 0-255 become the same code units

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const wchar_t* GetString() const { return text_.c_str(); }
    operator const wchar_t*() const { return text_.c_str(); }
    const std::wstring& str() const { return text_; }

    wchar_t GetAt(int index) const { return text_.at(static_cast<std::size_t>(index)); }
    void SetAt(int index, wchar_t c) { text_.at(static_cast<std::size_t>(index)) = c; }
    wchar_t operator[](int index) const { return GetAt(index); }

    CString& operator=(const wchar_t* text) {
        text_ = text ? text : L"";
        return *this;
    }
    CString& operator=(wchar_t c) {
        text_.assign(1, c);
        return *this;
    }
    CString& operator+=(const CString& other) {
        text_ += other.text_;
        return *this;
    }
    CString& operator+=(const wchar_t* text) {
        if (text)
            text_ += text;
        return *this;
    }
    CString& operator+=(wchar_t c) {
        text_ += c;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const wchar_t* b) { return a += b; }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) += b; }
    friend CString operator+(CString a, wchar_t b) { return a += b; }

    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
        return a.text_ <=> b.text_;
    }

    int Compare(const wchar_t* other) const;       // ordinal, case-sensitive
    int CompareNoCase(const wchar_t* other) const; // folds A-Z only

    CString Mid(int first) const { return Mid(first, GetLength()); }
    CString Mid(int first, int count) const;
    CString Left(int count) const { return Mid(0, count); }
    CString Right(int count) const;

    int Find(wchar_t c, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t c) const;
    int Replace(wchar_t from, wchar_t to);
    int Replace(const wchar_t* from, const wchar_t* to);
    int Remove(wchar_t c);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);
    CString& MakeLower(); // A-Z only, as the runtime's "C" locale does
    CString& MakeUpper();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    template <class... Args> void Format(const wchar_t* format, const Args&... args) {
        text_ = crt::Format(format, args...);
    }
    template <class... Args> void AppendFormat(const wchar_t* format, const Args&... args) {
        text_ += crt::Format(format, args...);
    }

    // Direct access to the character buffer: room for at least minLength characters and the
    // terminator; ReleaseBuffer(-1) takes the length up to the first terminator.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    static std::size_t Clamp(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }
    std::wstring text_;
};
