#pragma once
// The template dialog's status line: a static text that, once given a message, blinks it
// (normal, greyed, normal, ...) on its window timer and beeps each time the text comes back,
// until the message is cleared. It never clears by itself.

#include <afxwin.h>

class CStaticEx : public CStatic {
public:
    // Shows `text` and blinks it every `interval` milliseconds; a second message replaces the
    // first and starts the blinking over.
    void ShowMessage(UINT interval, LPCTSTR text);
    // Stops the blinking and leaves the line empty and enabled.
    void ClearMessage();

    int blinkPhase = 0; // 1: the next tick shows the text and beeps; 0: it greys the text

    static constexpr UINT_PTR kBlinkTimer = 0;
    static constexpr DWORD kBeepFrequency = 100; // Hz
    static constexpr DWORD kBeepDuration = 100;  // ms

protected:
    void OnTimer(UINT_PTR id) override;
};
