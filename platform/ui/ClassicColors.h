#pragma once
// The classic desktop palette used to draw the controls and window frames.

#include "platform/crt/WinTypes.h"

namespace ui::palette {
constexpr COLORREF Face = RGB(212, 208, 200);
constexpr COLORREF Light = RGB(212, 208, 200);
constexpr COLORREF Highlight = RGB(255, 255, 255);
constexpr COLORREF Shadow = RGB(128, 128, 128);
constexpr COLORREF DarkShadow = RGB(64, 64, 64);
constexpr COLORREF ButtonText = RGB(0, 0, 0);
constexpr COLORREF GrayText = RGB(128, 128, 128);
constexpr COLORREF Window = RGB(255, 255, 255);
constexpr COLORREF WindowText = RGB(0, 0, 0);
constexpr COLORREF Selection = RGB(10, 36, 106);
constexpr COLORREF ActiveCaption = RGB(10, 36, 106);
constexpr COLORREF ActiveCaptionGradient = RGB(166, 202, 240);
constexpr COLORREF InactiveCaption = RGB(128, 128, 128);
constexpr COLORREF InactiveCaptionGradient = RGB(192, 192, 192);
constexpr COLORREF CaptionText = RGB(255, 255, 255);
} // namespace ui::palette
