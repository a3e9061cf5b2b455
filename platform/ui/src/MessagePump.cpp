// The loops that run the queue, the input source they ask when it is empty, and the
// desktop's own retrieving and dispatching functions.

#include <algorithm>
#include <utility>

#include "Clock.h"
#include "InputSource.h"
#include "KeyboardState.h"
#include "MessageQueue.h"
#include "PopupWindows.h"
#include "WindowSystem.h"

namespace {

struct InputState {
    ui::InputSource* source = nullptr;
    bool exhausted = false;
    std::wstring waitedFor;
};

InputState& Input() {
    static InputState input;
    return input;
}

// The user is gone: what the queued input held is released, so that drag loops end.
void ReleaseHeldButton() {
    CWnd* capture = ui::WindowSystem::Capture();
    if (!capture || !ui::LeftButtonDown())
        return;
    POINT p{0, 0};
    capture->ClientToScreen(&p);
    ui::PostInput(WM_LBUTTONUP, 0, p, 0);
}

// Keeps a window on the stack of running modal loops while its loop runs.
class ModalScope {
public:
    explicit ModalScope(CWnd* window) : window_(window) {
        ui::WindowSystem::Modal().push_back(window);
    }
    ~ModalScope() {
        auto& modal = ui::WindowSystem::Modal();
        modal.erase(std::remove(modal.begin(), modal.end(), window_), modal.end());
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    CWnd* window_;
};

LRESULT CallWindowProcedure(const MSG& msg) {
    auto& stack = ui::WindowSystem::CurrentMessages();
    stack.push_back(msg);
    const LRESULT r = msg.hwnd->WindowProc(msg.message, msg.wParam, msg.lParam);
    stack.pop_back();
    return r;
}

} // namespace

namespace ui {

InputSource* SetInputSource(InputSource* source) {
    return std::exchange(Input().source, source);
}

InputSource* GetInputSource() {
    return Input().source;
}

bool InputExhausted() {
    return Input().exhausted;
}

std::wstring ExhaustedWhileWaitingFor() {
    return Input().waitedFor;
}

void ResetInput() {
    Input().exhausted = false;
    Input().waitedFor.clear();
    ClearQueue();
    ResetKeyState();
}

bool RequestInput(bool blocking) {
    InputState& input = Input();
    if (input.exhausted || !input.source)
        return false;
    if (input.source->NextInput(blocking) == InputSource::Result::Delivered)
        return true;
    input.exhausted = true;
    const auto& modal = WindowSystem::Modal();
    input.waitedFor = modal.empty() ? L"" : modal.back()->GetWindowText().str();
    ReleaseHeldButton();
    return false;
}

bool WaitIdle(HWND filter, UINT min, UINT max) {
    if (RequestInput(true))
        return true;
    MSG left;
    return PeekQueued(&left, filter, min, max, PM_NOREMOVE);
}

void PumpOne(MSG& msg, const MessageFilter& filter) {
    if (filter && filter(msg))
        return;
    // The parent is taken first: a window may be gone once it has seen the message.
    for (CWnd* w = msg.hwnd; w && IsWindow(w);) {
        CWnd* parent = w->GetParent();
        if (w->PreTranslateMessage(&msg))
            return;
        w = parent;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
}

void DrainQueue() {
    MSG m;
    for (int guard = 0; guard < 100000 && PeekQueued(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        PumpOne(m);
    }
}

LoopEnd RunModalLoop(CWnd* window, const std::function<bool()>& done, const MessageFilter& filter) {
    ModalScope running(window);
    while (!done()) {
        MSG msg;
        if (!PeekQueued(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!WaitIdle())
                return LoopEnd::NoMoreInput;
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the outer loops end too
            return LoopEnd::Quit;
        }
        PumpOne(msg, filter);
    }
    return LoopEnd::Done;
}

} // namespace ui

// ---- the desktop API ----

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd))
        return 0;
    return CallWindowProcedure(MSG{hwnd, message, wParam, lParam, ui::ClockNow(), {}});
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (ui::PeekQueued(msg, hwnd, filterMin, filterMax, removeFlags))
        return TRUE;
    // Polling asks the input source without waiting; input that came with its end (a
    // released button) is still worth seeing.
    ui::RequestInput(false);
    return ui::PeekQueued(msg, hwnd, filterMin, filterMax, removeFlags) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG m;
    while (!ui::PeekQueued(&m, nullptr, 0, 0, PM_NOREMOVE))
        if (!ui::WaitIdle())
            return FALSE;
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    while (!ui::PeekQueued(msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
        if (!ui::WaitIdle(hwnd, filterMin, filterMax)) {
            // Nothing will ever come: answer as if the application were quitting.
            *msg = MSG{nullptr, WM_QUIT, 0, 0, ui::ClockNow(), {}};
            return FALSE;
        }
    }
    return msg->message != WM_QUIT;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        ui::RelayToolTipMouse(*msg);
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, ui::ClockNow());
        return 0;
    }
    if (!msg->hwnd || !IsWindow(msg->hwnd))
        return 0;
    if (msg->message == WM_PAINT) {
        ui::WindowSystem::DeliverPaint(msg->hwnd);
        return 0;
    }
    return CallWindowProcedure(*msg);
}
