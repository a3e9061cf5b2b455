#pragma once
// The registered window classes behind RegisterClass.

#include <windows.h>

namespace ui {
// The real brush of a class brush: system colour indexes plus one become system brushes.
HBRUSH ResolveClassBrush(HBRUSH brush);
} // namespace ui
