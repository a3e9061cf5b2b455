#pragma once
// The SDL2 display back end: every visible top-level window becomes a real (borderless)
// window showing the window's own pixels, frame and caption included; the mouse, wheel,
// keyboard (virtual keys and typed characters), window focus and close, the clipboard, the
// cursor shape and beeps go through SDL. Time runs on the real clock while it is on.
//
//   std::wstring why;
//   if (ui::sdl::Start(&why)) { ... run dialogs ...; ui::sdl::Stop(); }
//
// While started it is the display back end and, unless `takeInput` is false (a script
// supplies the input and the display only shows), the input source of the message loops.

#include <string>

namespace ui::sdl {

// Whether a display can be opened at all (DISPLAY or WAYLAND_DISPLAY set).
bool DisplayPresent();
bool Start(std::wstring* why = nullptr, bool takeInput = true);
void Stop();
bool Started();

} // namespace ui::sdl
