#pragma once
// The dialog verbs of the script language, for the program that runs scripts: each acts on
// the active window (the innermost modal dialog or message box) the way a person would, by
// queueing mouse and keyboard input, and answers whether it could.
//
//   ui::Click(L"&Close")        ui::Key(L"SHIFT+TAB")     ui::Type(L"abc")
//   ui::Mouse(L"DOWN", {5, 5}, 216, MK_SHIFT)            ui::Wait(200)
//   ui::Shot(L"shots/template.png")                      ui::ExpectText(210, L"")
//
// A script runner implements ui::InputSource: the message loops call it whenever they wait,
// and it executes one script line per call with these verbs.

#include <string>

#include <afxwin.h>

#include "InputSource.h"

namespace ui {

struct VerbResult {
    bool ok = true;
    std::wstring message; // why it failed, fit for an error line
    explicit operator bool() const { return ok; }
};

CWnd* ActiveWindow();         // the window that takes dialog verbs, or null
std::wstring ActiveCaption(); // its caption, "" when none

// Presses a button or check box of the active window by id ("205") or text ("&Insert" or
// "Insert", case-insensitive).
VerbResult Click(const std::wstring& idOrText);
// A key to the focused window: ESC, ENTER, TAB, SPACE, BACKSPACE, DELETE, INSERT, HOME, END,
// PGUP, PGDN, UP, DOWN, LEFT, RIGHT, F1..F12, a letter or digit; SHIFT+, CTRL+, ALT+ before.
VerbResult Key(const std::wstring& name);
// Typed characters to the focused window.
VerbResult Type(const std::wstring& text);
// The mouse at client coordinates of control `controlId` (0: the active window itself; an id
// not among its controls is looked for inside them, so a grid's cell area can be aimed at);
// verb DOWN, UP, MOVE, DBLCLK, RDOWN or RUP; modifiers MK_SHIFT and MK_CONTROL held.
VerbResult Mouse(const std::wstring& verb, POINT at, int controlId = 0, UINT modifiers = 0);
// Lets time pass on the virtual clock; every timer fires as often as it falls due.
VerbResult Wait(DWORD milliseconds);
// Saves the active window with its frame and caption as a PNG file.
VerbResult Shot(const std::wstring& pngPath);
VerbResult ShotOf(CWnd* topLevel, const std::wstring& pngPath);
VerbResult ExpectDialog(const std::wstring& caption);
VerbResult ExpectText(int controlId, const std::wstring& text);
VerbResult ExpectAlert(const std::wstring& text); // the active message box says text
// Closes the active window as its title bar's close box does.
VerbResult CloseActive();

// Parses a key name as Key() does: virtual key and MK_SHIFT/MK_CONTROL/MK_ALT bits.
constexpr UINT MK_ALT = 0x20;
bool ParseKeyName(const std::wstring& name, UINT& virtualKey, UINT& modifiers);

} // namespace ui
