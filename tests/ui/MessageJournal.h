#pragma once
// One journal of the messages that several windows receive, in the order they arrive, so that
// a test states the sequence it expects as data and a message out of its place fails:
//
//   EXPECT_EQ(journal.Of({WM_KILLFOCUS, WM_SETFOCUS}),
//             (Sequence{{"a", WM_KILLFOCUS}, {"b", WM_SETFOCUS}}));
//
// A WM_COMMAND entry carries its notification code, so a control's notifications can be
// stated in order too ({"host", WM_COMMAND, EN_UPDATE}).

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

struct JournalEntry {
    std::string window;
    UINT message = 0;
    UINT code = 0; // the notification of a WM_COMMAND
    bool operator==(const JournalEntry&) const = default;
};

using Sequence = std::vector<JournalEntry>;

inline std::ostream& operator<<(std::ostream& out, const JournalEntry& e) {
    struct Name {
        UINT message;
        const char* name;
    };
    static const Name names[] = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    };
    out << e.window << ':';
    auto it = std::find_if(std::begin(names), std::end(names),
                           [&](const Name& n) { return n.message == e.message; });
    if (it != std::end(names))
        out << it->name;
    else
        out << "0x" << std::hex << e.message << std::dec;
    if (e.message == WM_COMMAND)
        out << '/' << e.code;
    return out;
}

class MessageJournal {
public:
    void Record(const std::string& window, UINT message, WPARAM wParam) {
        entries_.push_back({window, message, message == WM_COMMAND ? HIWORD(wParam) : 0u});
    }
    // The entries of these messages, in the order they came.
    Sequence Of(std::initializer_list<UINT> messages) const {
        Sequence out;
        for (const JournalEntry& e : entries_)
            if (std::find(messages.begin(), messages.end(), e.message) != messages.end())
                out.push_back(e);
        return out;
    }
    void Clear() { entries_.clear(); }

private:
    Sequence entries_;
};
