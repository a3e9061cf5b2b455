#pragma once
// A top-level window that hosts controls under test and records what they tell it.

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include "Automation.h"
#include "MessageQueue.h"

class ControlHost : public CWnd {
public:
    struct Note {
        UINT message;
        UINT code; // notification or scroll code
        UINT id;   // control id, or the scroll position
    };
    std::vector<Note> notes;

    explicit ControlHost(CRect screen = CRect(100, 100, 500, 400)) {
        CreateEx(0, L"Host", L"Host", WS_POPUP | WS_VISIBLE, screen, nullptr, 0);
        backgroundBrush_ = GetSysColorBrush(COLOR_BTNFACE);
    }
    ~ControlHost() override {
        if (m_hWnd)
            DestroyWindow();
    }
    int Count(UINT message, UINT code) const {
        int n = 0;
        for (const Note& x : notes)
            n += x.message == message && x.code == code;
        return n;
    }
    std::vector<UINT> Codes(UINT message) const {
        std::vector<UINT> out;
        for (const Note& x : notes)
            if (x.message == message)
                out.push_back(x.code);
        return out;
    }
    const Note* Last(UINT message) const {
        for (auto it = notes.rbegin(); it != notes.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND)
            notes.push_back({message, HIWORD(wParam), LOWORD(wParam)});
        if (message == WM_VSCROLL || message == WM_HSCROLL)
            notes.push_back({message, LOWORD(wParam), HIWORD(wParam)});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Runs queued input (as a message loop would) without asking for more.
inline void Pump() {
    ui::DrainQueue();
}

inline std::filesystem::path ShotsDir() {
    std::filesystem::path dir = std::filesystem::path(KESTREL_BINARY_DIR) / "shots";
    std::filesystem::create_directories(dir);
    return dir;
}

// Client-point press and release through the queue, as a user's click arrives.
inline void ClickAt(CWnd* w, CPoint client, UINT keys = 0) {
    CPoint screen = client;
    w->ClientToScreen(&screen);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON | keys, screen, 0);
    ui::PostInput(WM_LBUTTONUP, keys, screen, 0);
    Pump();
}
