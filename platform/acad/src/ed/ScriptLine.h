#pragma once
// One line of the script language: words and double-quoted texts. Words compare without regard
// to case; a '#' outside quotes starts a comment.

#include <optional>
#include <string>
#include <vector>

namespace ed {

struct ScriptToken {
    std::wstring text; // without the quotes
    bool quoted = false;
};

struct Point3 {
    double x = 0, y = 0, z = 0;
};

class ScriptLine {
public:
    // Splits a line; `error` tells why a line cannot be split (an unclosed quote).
    static std::optional<ScriptLine> Parse(const std::wstring& line, std::wstring* error);

    // A line that is blank once comments are removed but held a comment: skipped by scripts.
    bool IsCommentOnly() const { return commentOnly_; }
    bool IsEmpty() const { return tokens_.empty(); }
    std::size_t Size() const { return tokens_.size(); }
    const ScriptToken& operator[](std::size_t i) const { return tokens_[i]; }
    // The first word in upper case ("" for an empty line or a leading quoted text).
    std::wstring Verb() const;
    // Whether token i is the unquoted word (compared without regard to case).
    bool Is(std::size_t i, const wchar_t* word) const;
    // The line without its comment, blanks at both ends trimmed.
    const std::wstring& Text() const { return text_; }

private:
    std::vector<ScriptToken> tokens_;
    std::wstring text_;
    bool commentOnly_ = false;
};

// "x,y" or "x,y,z" with decimal numbers (z defaults to 0).
std::optional<Point3> ParsePoint(const std::wstring& text);
// A decimal number, all of the text.
std::optional<double> ParseNumber(const std::wstring& text);

} // namespace ed
