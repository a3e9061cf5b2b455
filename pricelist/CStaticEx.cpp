#include "pricelist/CStaticEx.h"

void CStaticEx::ShowMessage(UINT interval, LPCTSTR text) {
    SetWindowText(text);
    blinkPhase = 1;
    SetTimer(kBlinkTimer, interval);
}

void CStaticEx::ClearMessage() {
    KillTimer(kBlinkTimer);
    EnableWindow(TRUE);
    SetWindowText(L"");
}

void CStaticEx::OnTimer(UINT_PTR id) {
    if (id == kBlinkTimer) {
        if (blinkPhase == 1) {
            EnableWindow(TRUE);
            blinkPhase = 0;
            Beep(kBeepFrequency, kBeepDuration);
        } else {
            EnableWindow(FALSE);
            blinkPhase = 1;
        }
    }
    CStatic::OnTimer(id);
}
