#include "sdl/SdlDisplay.h"

#include <SDL.h>
#include <cairo.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "Clock.h"
#include "DisplayBackend.h"
#include "InputSource.h"
#include "MessageQueue.h"
#include "Timers.h"
#include "Utf8.h"
#include "WindowSystem.h"

namespace ui::sdl {
namespace {

// lParam bit of a key press whose character comes as its own WM_CHAR (typed text).
constexpr LPARAM kCharFollows = LPARAM(1) << 25;

UINT VirtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z)
        return static_cast<UINT>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9)
        return static_cast<UINT>('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return VK_F1 + static_cast<UINT>(k - SDLK_F1);
    switch (k) {
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_END:
        return VK_END;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    default:
        return k > 0 && k < 0x80 ? 0xBA : 0; // punctuation: an OEM key
    }
}

// The display asked the program to quit (its session ends): the run ends at once, saving
// nothing, as a termination signal ends it.
[[noreturn]] void EndAsTerminated() {
    std::signal(SIGTERM, SIG_DFL);
    std::raise(SIGTERM);
    std::_Exit(128 + SIGTERM);
}

SDL_SystemCursor CursorFor(int id) {
    switch (id) {
    case 32513:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:
        return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:
        return SDL_SYSTEM_CURSOR_NO;
    case 32649:
        return SDL_SYSTEM_CURSOR_HAND;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

class SdlDisplay : public DisplayBackend, public InputSource {
public:
    ~SdlDisplay() override {
        for (auto& [wnd, window] : windows_)
            SDL_DestroyWindow(window);
        for (auto& [id, cursor] : cursors_)
            SDL_FreeCursor(cursor);
    }

    // ---- the back end ----

    void Present(CWnd* top) override {
        Sweep();
        AnswerOwnEvents(top);
        Blit(top);
    }

    void Service() override {
        Sweep();
        AnswerOwnEvents(nullptr);
    }

    // A script gives the input: the display's own events are only looked at so that the
    // windows stay answered; uncovered windows are drawn again (all but `skip`).
    void AnswerOwnEvents(CWnd* skip) {
        if (GetInputSource() == this)
            return;
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED)
                exposed_ = true;
            if (e.type == SDL_QUIT)
                EndAsTerminated();
        }
        if (exposed_) {
            exposed_ = false;
            for (CWnd* w : WindowSystem::TopLevels())
                if (w != skip && w->IsWindowVisible() && windows_.count(w))
                    Blit(w);
        }
    }

    void Blit(CWnd* top) {
        if (!top || !IsWindow(top) || !top->IsWindowVisible())
            return;
        SDL_Window* window = WindowFor(top);
        if (!window)
            return;
        cairo_surface_t* s = WindowSystem::Surface(top);
        if (!s)
            return;
        cairo_surface_flush(s);
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        CRect r;
        top->GetWindowRect(&r);
        int x, y, cw, ch;
        SDL_GetWindowPosition(window, &x, &y);
        if (x != r.left || y != r.top)
            SDL_SetWindowPosition(window, r.left, r.top);
        SDL_GetWindowSize(window, &cw, &ch);
        if (cw != w || ch != h)
            SDL_SetWindowSize(window, w, h);
        SDL_Surface* target = SDL_GetWindowSurface(window);
        if (!target || target->w < w || target->h < h)
            return;
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, cairo_image_surface_get_data(s),
                          cairo_image_surface_get_stride(s), target->format->format, target->pixels,
                          target->pitch);
        SDL_UpdateWindowSurface(window);
    }

    void WindowShown(CWnd* top, bool shown) override {
        Sweep();
        auto it = windows_.find(top);
        if (shown) {
            if (it == windows_.end())
                WindowFor(top);
            else
                SDL_ShowWindow(it->second);
        } else if (it != windows_.end()) {
            SDL_HideWindow(it->second);
            FocusActive();
        }
    }

    void Sound(DWORD, DWORD) override {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }

    bool RealTime() const override { return true; }

    bool SetClipboardText(const std::wstring& text) override {
        return SDL_SetClipboardText(crt::ToUtf8(text).c_str()) == 0;
    }

    bool GetClipboardText(std::wstring& text) override {
        if (!SDL_HasClipboardText())
            return false;
        char* utf8 = SDL_GetClipboardText();
        if (!utf8)
            return false;
        text = crt::FromUtf8(utf8);
        SDL_free(utf8);
        return true;
    }

    void CursorChanged(int id) override {
        SDL_Cursor*& cursor = cursors_[id];
        if (!cursor)
            cursor = SDL_CreateSystemCursor(CursorFor(id));
        if (cursor)
            SDL_SetCursor(cursor);
    }

    // ---- the input source ----

    Result NextInput(bool blocking) override {
        Sweep();
        SDL_Event e;
        if (!blocking) {
            while (SDL_PollEvent(&e))
                Translate(e);
            return Result::Delivered;
        }
        if (!AnyVisible())
            return Result::Exhausted; // nothing on screen: nobody can give input any more
        // Wait for an event, but not past the next timer.
        int timeout = 100;
        DWORD due = 0;
        if (ui::NextTimerDue(due)) {
            int left = static_cast<int>(due - ui::ClockNow());
            timeout = std::max(0, std::min(timeout, left));
        }
        if (SDL_WaitEventTimeout(&e, timeout)) {
            Translate(e);
            while (SDL_PollEvent(&e))
                Translate(e);
        }
        return Result::Delivered;
    }

private:
    SDL_Window* WindowFor(CWnd* top) {
        auto it = windows_.find(top);
        if (it != windows_.end())
            return it->second;
        CRect r;
        top->GetWindowRect(&r);
        Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN;
        if (top->GetExStyle() & 0x80) // WS_EX_TOOLWINDOW
            flags |= SDL_WINDOW_SKIP_TASKBAR;
        if (top->GetExStyle() & WS_EX_TOPMOST)
            flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        std::string title = crt::ToUtf8(top->GetWindowText().str());
        SDL_Window* window =
            SDL_CreateWindow(title.c_str(), r.left, r.top, std::max<int>(1, r.Width()),
                             std::max<int>(1, r.Height()), flags);
        if (!window)
            return nullptr;
        windows_[top] = window;
        return window;
    }

    // Windows that are gone lose their real window.
    void Sweep() {
        bool gone = false;
        for (auto it = windows_.begin(); it != windows_.end();) {
            if (!IsWindow(it->first)) {
                SDL_DestroyWindow(it->second);
                it = windows_.erase(it);
                gone = true;
            } else {
                ++it;
            }
        }
        if (gone)
            FocusActive();
    }

    // The keyboard goes back to the active window when one above it goes away: without a
    // window manager nobody else would give it back (a closed dialog's keys went nowhere).
    void FocusActive() {
        CWnd* active = WindowSystem::Active();
        if (!active || !IsWindow(active) || !active->IsWindowVisible())
            return;
        auto it = windows_.find(active);
        if (it != windows_.end())
            SDL_SetWindowInputFocus(it->second);
    }

    bool AnyVisible() const {
        for (CWnd* top : WindowSystem::TopLevels())
            if (top->IsWindowVisible())
                return true;
        return false;
    }

    CWnd* TopFor(Uint32 windowId) const {
        SDL_Window* window = SDL_GetWindowFromID(windowId);
        for (const auto& [wnd, w] : windows_)
            if (w == window)
                return wnd;
        return nullptr;
    }

    // The pointer's screen position: the window's origin plus the event's point.
    POINT ScreenPoint(Uint32 windowId, int x, int y) const {
        CWnd* top = TopFor(windowId);
        CRect r;
        if (top && IsWindow(top))
            top->GetWindowRect(&r);
        return POINT{r.left + x, r.top + y};
    }

    UINT MouseKeys() const {
        UINT keys = 0;
        Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        if (buttons & SDL_BUTTON_LMASK)
            keys |= MK_LBUTTON;
        if (buttons & SDL_BUTTON_RMASK)
            keys |= MK_RBUTTON;
        if (buttons & SDL_BUTTON_MMASK)
            keys |= MK_MBUTTON;
        SDL_Keymod mod = SDL_GetModState();
        if (mod & KMOD_SHIFT)
            keys |= MK_SHIFT;
        if (mod & KMOD_CTRL)
            keys |= MK_CONTROL;
        return keys;
    }

    void Translate(const SDL_Event& e) {
        switch (e.type) {
        case SDL_QUIT:
            EndAsTerminated();
            break;
        case SDL_MOUSEMOTION: {
            POINT p = ScreenPoint(e.motion.windowID, e.motion.x, e.motion.y);
            last_ = p;
            SetCursorPos(p.x, p.y);
            ui::PostInput(WM_MOUSEMOVE, MouseKeys(), p, 0);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            POINT p = ScreenPoint(e.button.windowID, e.button.x, e.button.y);
            last_ = p;
            SetCursorPos(p.x, p.y);
            bool down = e.type == SDL_MOUSEBUTTONDOWN;
            bool twice = down && e.button.clicks >= 2;
            UINT message = 0;
            if (e.button.button == SDL_BUTTON_LEFT)
                message = down ? (twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
            else if (e.button.button == SDL_BUTTON_RIGHT)
                message = down ? (twice ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
            else if (e.button.button == SDL_BUTTON_MIDDLE)
                message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            if (message)
                ui::PostInput(message, MouseKeys(), p, 0);
            break;
        }
        case SDL_MOUSEWHEEL: {
            int delta = e.wheel.y * 120;
            if (delta)
                ui::PostInput(WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseKeys()), delta),
                              last_, 0);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            UINT vk = VirtualKey(e.key.keysym.sym);
            if (!vk)
                break;
            bool down = e.type == SDL_KEYDOWN;
            bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
            LPARAM lp = down ? (e.key.repeat ? (LPARAM(1) | (LPARAM(1) << 30)) : 1)
                             : static_cast<LPARAM>(0xC0000001u);
            // Printable keys type their character through SDL's text input instead.
            SDL_Keycode sym = e.key.keysym.sym;
            if (sym >= 32 && sym < 127 && !(e.key.keysym.mod & (KMOD_CTRL | KMOD_ALT)))
                lp |= kCharFollows;
            UINT message = alt && vk != VK_MENU ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                                : (down ? WM_KEYDOWN : WM_KEYUP);
            ui::PostInput(message, vk, last_, lp);
            break;
        }
        case SDL_TEXTINPUT: {
            std::wstring text = crt::FromUtf8(e.text.text);
            for (wchar_t c : text)
                ui::PostInput(WM_CHAR, static_cast<WPARAM>(c), last_, 1);
            break;
        }
        case SDL_WINDOWEVENT: {
            CWnd* top = TopFor(e.window.windowID);
            if (!top || !IsWindow(top))
                break;
            if (e.window.event == SDL_WINDOWEVENT_CLOSE)
                top->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
            else if (e.window.event == SDL_WINDOWEVENT_EXPOSED)
                Present(top);
            else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && top->IsWindowEnabled() &&
                     ::GetActiveWindow() != top && !(top->GetExStyle() & WS_EX_TOPMOST))
                top->SetActiveWindow();
            break;
        }
        default:
            break;
        }
    }

    std::map<CWnd*, SDL_Window*> windows_;
    std::map<int, SDL_Cursor*> cursors_;
    POINT last_{0, 0};
    bool exposed_ = false;
};

SdlDisplay*& Current() {
    static SdlDisplay* current = nullptr;
    return current;
}

InputSource*& PreviousInput() {
    static InputSource* previous = nullptr;
    return previous;
}

} // namespace

bool DisplayPresent() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

bool Start(std::wstring* why, bool takeInput) {
    if (Current())
        return true;
    if (!DisplayPresent()) {
        if (why)
            *why = L"no display (DISPLAY is not set)";
        return false;
    }
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // SIGINT and SIGTERM keep their usual meaning: the display library would turn them into a
    // quit event that a modal loop never reads, and the program could not be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Closing the last window is the window's own business (its close box), not a quit.
    SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (why)
            *why = L"cannot open the display: " + crt::FromUtf8(SDL_GetError());
        return false;
    }
    SDL_StartTextInput();
    Current() = new SdlDisplay;
    SetDisplayBackend(Current());
    if (takeInput)
        PreviousInput() = SetInputSource(Current());
    // Windows already on screen get their real windows now.
    for (CWnd* top : WindowSystem::TopLevels())
        if (top->IsWindowVisible())
            Current()->Present(top);
    return true;
}

void Stop() {
    if (!Current())
        return;
    if (GetInputSource() == Current())
        SetInputSource(PreviousInput());
    SetDisplayBackend(nullptr);
    delete Current();
    Current() = nullptr;
    SDL_StopTextInput();
    SDL_Quit();
}

bool Started() {
    return Current() != nullptr;
}

} // namespace ui::sdl
