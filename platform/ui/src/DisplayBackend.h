#pragma once
// The seam to a real display. Headless (no back end installed) is the default: windows live
// in memory and time is virtual. A back end that shows windows installs itself here and
// feeds its events to the message loops as a ui::InputSource.

#include <string>

#include <windef.h>

class CWnd;

namespace ui {

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;
    // The pixels of a top-level window changed (after a paint pass).
    virtual void Present(CWnd* topLevel) = 0;
    // A top-level window was shown, hidden or destroyed.
    virtual void WindowShown(CWnd* topLevel, bool shown) = 0;
    virtual void Sound(DWORD frequency, DWORD duration) = 0;
    // Whether time is real (a display) rather than virtual.
    virtual bool RealTime() const = 0;
    // The system clipboard's text; false when the display has none (the clipboard then
    // stays inside the process).
    virtual bool SetClipboardText(const std::wstring& text) {
        (void)text;
        return false;
    }
    virtual bool GetClipboardText(std::wstring& text) {
        (void)text;
        return false;
    }
    // The cursor shape changed (a standard cursor's resource number).
    virtual void CursorChanged(int id) { (void)id; }
    // The program waits without asking for input (a script's WAIT): the display answers its
    // own events meanwhile, so that windows it uncovers or maps late show their pixels.
    virtual void Service() {}
};

// Whether a display back end is installed and is also where input comes from: a person at
// the display answers, so prompts may show their own windows (the file dialog).
bool DisplayTakesInput();

// Installs a back end (null: headless) and switches the clock to match.
void SetDisplayBackend(DisplayBackend* backend);
DisplayBackend* GetDisplayBackend();

} // namespace ui
