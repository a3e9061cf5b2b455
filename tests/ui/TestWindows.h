#pragma once
// Windows for the tests: one that records the messages it receives, in its own log and, when
// it is given one, in a journal shared with other windows.

#include <string>
#include <vector>

#include <afxwin.h>

#include "tests/ui/MessageJournal.h"

struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class LoggingWnd : public CWnd {
public:
    std::vector<LoggedMessage> log;
    COLORREF fill = RGB(0, 0, 255);

    LoggingWnd() = default;
    LoggingWnd(MessageJournal& journal, std::string name)
        : journal_(&journal), name_(std::move(name)) {}

    BOOL CreateTop(const RECT& screenRect, DWORD style = WS_POPUP | WS_VISIBLE) {
        return CreateEx(0, L"Logging", L"Top", style, screenRect, nullptr, 0);
    }
    BOOL CreateChild(CWnd* parent, const RECT& rect, UINT id, DWORD style = WS_VISIBLE) {
        return CreateEx(0, L"Logging", L"", WS_CHILD | style, rect, parent, id);
    }
    int Count(UINT message) const {
        int n = 0;
        for (const LoggedMessage& m : log)
            n += m.message == message;
        return n;
    }
    const LoggedMessage* Last(UINT message) const {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        log.push_back({message, wParam, lParam});
        if (journal_)
            journal_->Record(name_, message, wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, fill);
    }

private:
    MessageJournal* journal_ = nullptr;
    std::string name_;
};
