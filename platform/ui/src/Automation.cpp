#include "Automation.h"

#include <cairo.h>
#include <climits>
#include <cwctype>
#include <functional>
#include <optional>

#include "AsciiCase.h"
#include "Clock.h"
#include "DisplayBackend.h"
#include "KeyboardState.h"
#include "MessageQueue.h"
#include "Timers.h"
#include "Utf8.h"
#include "WindowSystem.h"

namespace ui {

namespace {

VerbResult Fail(const std::wstring& message) {
    return VerbResult{false, message};
}

VerbResult NoWindow() {
    return Fail(L"no dialog or message box is open");
}

// A whole decimal number that fits an int, as a control id or a function key's number.
std::optional<int> Number(const std::wstring& s) {
    if (s.empty() || s.size() > 11)
        return std::nullopt;
    long long value = 0;
    for (std::size_t i = s[0] == L'-' && s.size() > 1 ? 1 : 0; i < s.size(); ++i) {
        if (s[i] < L'0' || s[i] > L'9')
            return std::nullopt;
        value = value * 10 + (s[i] - L'0');
    }
    if (s[0] == L'-')
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

CWnd* FindControl(CWnd* root, const std::wstring& idOrText) {
    if (std::optional<int> id = Number(idOrText))
        return root->GetDlgItem(*id);
    std::wstring want = crt::UpperAZ(StripMnemonic(CString(idOrText.c_str())).str());
    for (CWnd* c : root->Children()) {
        UINT code = static_cast<UINT>(c->SendMessage(WM_GETDLGCODE));
        if (!(code & DLGC_BUTTON))
            continue;
        if (c->GetWindowText().str() == idOrText ||
            crt::UpperAZ(StripMnemonic(c->GetWindowText()).str()) == want)
            return c;
    }
    return nullptr;
}

void PostKey(UINT vk, bool down, bool alt) {
    UINT msg = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lp = down ? 1 : static_cast<LPARAM>(0xC0000001u);
    if (alt)
        lp |= 1 << 29;
    PostInput(msg, vk, POINT{0, 0}, lp);
}

void PostModifiers(UINT modifiers, bool down) {
    if (modifiers & MK_SHIFT)
        PostKey(VK_SHIFT, down, false);
    if (modifiers & MK_CONTROL)
        PostKey(VK_CONTROL, down, false);
    if (modifiers & MK_ALT)
        PostKey(VK_MENU, down, true);
}

} // namespace

CWnd* ActiveWindow() {
    auto& modal = WindowSystem::Modal();
    for (auto it = modal.rbegin(); it != modal.rend(); ++it)
        if ((*it)->m_hWnd && (*it)->IsWindowVisible())
            return *it;
    CWnd* active = WindowSystem::Active();
    return active && active->m_hWnd ? active : nullptr;
}

std::wstring ActiveCaption() {
    CWnd* w = ActiveWindow();
    return w ? w->GetWindowText().str() : std::wstring();
}

VerbResult Click(const std::wstring& idOrText) {
    CWnd* top = ActiveWindow();
    if (!top)
        return NoWindow();
    CWnd* control = FindControl(top, idOrText);
    std::wstring where = L" in \"" + top->GetWindowText().str() + L"\"";
    if (!control)
        return Fail(L"no button \"" + idOrText + L"\"" + where);
    if (!control->IsWindowVisible())
        return Fail(L"button \"" + idOrText + L"\" is hidden" + where);
    if (!control->IsWindowEnabled())
        return Fail(L"button \"" + idOrText + L"\" is disabled" + where);
    CRect r;
    control->GetClientRect(&r);
    CPoint at = r.CenterPoint();
    control->ClientToScreen(&at);
    PostInput(WM_LBUTTONDOWN, MK_LBUTTON, at, 0);
    PostInput(WM_LBUTTONUP, 0, at, 0);
    SetCursorPos(at.x, at.y);
    return {};
}

bool ParseKeyName(const std::wstring& name, UINT& vk, UINT& modifiers) {
    modifiers = 0;
    std::wstring rest = crt::UpperAZ(name);
    for (;;) {
        std::size_t plus = rest.find(L'+');
        if (plus == std::wstring::npos || plus + 1 >= rest.size())
            break;
        std::wstring mod = rest.substr(0, plus);
        if (mod == L"SHIFT")
            modifiers |= MK_SHIFT;
        else if (mod == L"CTRL" || mod == L"CONTROL")
            modifiers |= MK_CONTROL;
        else if (mod == L"ALT")
            modifiers |= MK_ALT;
        else
            return false;
        rest = rest.substr(plus + 1);
    }
    struct Named {
        const wchar_t* name;
        UINT vk;
    };
    static const Named names[] = {
        {L"ESC", VK_ESCAPE},     {L"ESCAPE", VK_ESCAPE}, {L"ENTER", VK_RETURN},
        {L"RETURN", VK_RETURN},  {L"TAB", VK_TAB},       {L"SPACE", VK_SPACE},
        {L"BACKSPACE", VK_BACK}, {L"BACK", VK_BACK},     {L"DELETE", VK_DELETE},
        {L"DEL", VK_DELETE},     {L"INSERT", VK_INSERT}, {L"INS", VK_INSERT},
        {L"HOME", VK_HOME},      {L"END", VK_END},       {L"PGUP", VK_PRIOR},
        {L"PAGEUP", VK_PRIOR},   {L"PGDN", VK_NEXT},     {L"PAGEDOWN", VK_NEXT},
        {L"UP", VK_UP},          {L"DOWN", VK_DOWN},     {L"LEFT", VK_LEFT},
        {L"RIGHT", VK_RIGHT},
    };
    for (const Named& n : names)
        if (rest == n.name) {
            vk = n.vk;
            return true;
        }
    if (std::optional<int> f =
            rest.size() >= 2 && rest[0] == L'F' ? Number(rest.substr(1)) : std::nullopt;
        f && *f >= 1 && *f <= 12) {
        vk = VK_F1 + static_cast<UINT>(*f - 1);
        return true;
    }
    if (rest.size() == 1 && ((rest[0] >= L'A' && rest[0] <= L'Z') || std::iswdigit(rest[0]))) {
        vk = rest[0];
        return true;
    }
    return false;
}

VerbResult Key(const std::wstring& name) {
    UINT vk = 0, modifiers = 0;
    if (!ParseKeyName(name, vk, modifiers))
        return Fail(L"unknown key \"" + name + L"\"");
    if (!ActiveWindow() && !GetFocus())
        return NoWindow();
    PostModifiers(modifiers, true);
    PostKey(vk, true, modifiers & MK_ALT);
    PostKey(vk, false, modifiers & MK_ALT);
    PostModifiers(modifiers, false);
    return {};
}

VerbResult Type(const std::wstring& text) {
    if (!ActiveWindow() && !GetFocus())
        return NoWindow();
    for (wchar_t c : text)
        PostInput(WM_CHAR, static_cast<WPARAM>(c), POINT{0, 0}, 1);
    return {};
}

VerbResult Mouse(const std::wstring& verb, POINT at, int controlId, UINT modifiers) {
    CWnd* top = ActiveWindow();
    if (!top)
        return NoWindow();
    // A mouse message carries its point in 16 bits a coordinate.
    if (at.x < SHRT_MIN || at.x > SHRT_MAX || at.y < SHRT_MIN || at.y > SHRT_MAX)
        return Fail(L"the point " + std::to_wstring(at.x) + L"," + std::to_wstring(at.y) +
                    L" lies outside the mouse's coordinates");
    CWnd* target = top;
    if (controlId != 0) {
        // A control of the window, or failing that one inside its controls (a grid's parts).
        std::function<CWnd*(CWnd*)> find = [&](CWnd* w) -> CWnd* {
            if (CWnd* direct = w->GetDlgItem(controlId))
                return direct;
            for (CWnd* c : w->Children())
                if (CWnd* deep = find(c))
                    return deep;
            return nullptr;
        };
        target = find(top);
        if (!target)
            return Fail(L"no control " + std::to_wstring(controlId) + L" in \"" +
                        top->GetWindowText().str() + L"\"");
    }
    CPoint screen = at;
    target->ClientToScreen(&screen);
    SetCursorPos(screen.x, screen.y);
    std::wstring v = crt::UpperAZ(verb);
    UINT& held = HeldButtons();
    UINT keys = modifiers & (MK_SHIFT | MK_CONTROL);
    PostModifiers(keys, true);
    if (v == L"DOWN") {
        held |= MK_LBUTTON;
        PostInput(WM_LBUTTONDOWN, held | keys, screen, 0);
    } else if (v == L"UP") {
        held &= ~MK_LBUTTON;
        PostInput(WM_LBUTTONUP, held | keys, screen, 0);
    } else if (v == L"MOVE") {
        PostInput(WM_MOUSEMOVE, held | keys, screen, 0);
    } else if (v == L"DBLCLK") {
        PostInput(WM_LBUTTONDOWN, held | keys | MK_LBUTTON, screen, 0);
        PostInput(WM_LBUTTONUP, held | keys, screen, 0);
        PostInput(WM_LBUTTONDBLCLK, held | keys | MK_LBUTTON, screen, 0);
        PostInput(WM_LBUTTONUP, held | keys, screen, 0);
    } else if (v == L"RDOWN") {
        held |= MK_RBUTTON;
        PostInput(WM_RBUTTONDOWN, held | keys, screen, 0);
    } else if (v == L"RUP") {
        held &= ~MK_RBUTTON;
        PostInput(WM_RBUTTONUP, held | keys, screen, 0);
    } else {
        PostModifiers(keys, false);
        return Fail(L"unknown mouse action \"" + verb + L"\"");
    }
    PostModifiers(keys, false);
    return {};
}

VerbResult Wait(DWORD milliseconds) {
    if (!IsVirtualClock()) {
        DWORD end = ClockNow() + milliseconds;
        while (static_cast<int>(end - ClockNow()) > 0) {
            DrainQueue();
            if (DisplayBackend* display = GetDisplayBackend())
                display->Service();
            ::Sleep(5);
        }
        DrainQueue();
        return {};
    }
    DWORD target = ClockNow() + milliseconds;
    DrainQueue();
    DWORD due = 0;
    for (int guard = 0; guard < 1000000 && NextTimerDue(due) && static_cast<int>(due - target) <= 0;
         ++guard) {
        if (static_cast<int>(due - ClockNow()) > 0)
            AdvanceClock(due - ClockNow());
        DrainQueue();
    }
    if (static_cast<int>(target - ClockNow()) > 0)
        AdvanceClock(target - ClockNow());
    DrainQueue();
    return {};
}

VerbResult ShotOf(CWnd* top, const std::wstring& pngPath) {
    if (!top || !top->m_hWnd)
        return NoWindow();
    top = top->GetTopLevelParent();
    WindowSystem::PaintAll();
    cairo_surface_t* s = WindowSystem::Surface(top);
    if (!s)
        return Fail(L"the window has no pixels");
    cairo_surface_flush(s);
    if (cairo_surface_write_to_png(s, crt::ToUtf8(pngPath).c_str()) != CAIRO_STATUS_SUCCESS)
        return Fail(L"cannot write " + pngPath);
    return {};
}

VerbResult Shot(const std::wstring& pngPath) {
    return ShotOf(ActiveWindow(), pngPath);
}

VerbResult ExpectDialog(const std::wstring& caption) {
    std::wstring actual = ActiveCaption();
    if (!ActiveWindow())
        return Fail(L"expected dialog \"" + caption + L"\", but none is open");
    if (actual != caption)
        return Fail(L"expected dialog \"" + caption + L"\", but \"" + actual + L"\" is open");
    return {};
}

VerbResult ExpectText(int controlId, const std::wstring& text) {
    CWnd* top = ActiveWindow();
    if (!top)
        return NoWindow();
    CWnd* c = top->GetDlgItem(controlId);
    if (!c)
        return Fail(L"no control " + std::to_wstring(controlId));
    std::wstring actual = c->GetWindowText().str();
    if (actual != text)
        return Fail(L"control " + std::to_wstring(controlId) + L" reads \"" + actual +
                    L"\", expected \"" + text + L"\"");
    return {};
}

VerbResult ExpectAlert(const std::wstring& text) {
    CWnd* top = ActiveWindow();
    CWnd* message = top ? top->GetDlgItem(0xFFFF) : nullptr;
    if (!message)
        return Fail(L"expected the alert \"" + text + L"\", but no message box is open");
    std::wstring actual = message->GetWindowText().str();
    if (actual != text)
        return Fail(L"the message box says \"" + actual + L"\", expected \"" + text + L"\"");
    return {};
}

VerbResult CloseActive() {
    CWnd* top = ActiveWindow();
    if (!top)
        return NoWindow();
    ::PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    return {};
}

} // namespace ui
