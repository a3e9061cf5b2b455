#include "grid/UGEditEnding.h"

#include "grid/CUGCtrl.h"

namespace {
bool KeyDown(UINT key) {
    // The dialog asks with the key message at hand in lParam.
    const MSG* current = CWnd::GetCurrentMessage();
    const MSG* asked = current && current->message == WM_GETDLGCODE
                           ? reinterpret_cast<const MSG*>(current->lParam)
                           : nullptr;
    if (asked && asked->message == WM_KEYDOWN)
        return asked->wParam == key;
    return GetKeyState(static_cast<int>(key)) < 0;
}
} // namespace

bool UGEditEnding::EndByKey(CUGCtrl* frame, UINT key, bool verticalEnds) {
    if (!frame)
        return false;
    switch (key) {
    case VK_TAB:
        nextCol = frame->editCol + (GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        nextRow = frame->editRow;
        continueFlag = 1;
        break;
    case VK_RETURN:
        nextCol = frame->editCol;
        nextRow = frame->editRow + 1;
        continueFlag = 1;
        break;
    case VK_ESCAPE:
        cancelFlag = 1;
        continueFlag = 0;
        break;
    case VK_UP:
    case VK_DOWN:
        if (!verticalEnds)
            return false;
        nextCol = frame->editCol;
        nextRow = frame->editRow + (key == VK_UP ? -1 : 1);
        continueFlag = 1;
        break;
    default:
        return false;
    }
    frame->SetFocus();
    return true;
}

void UGEditEnding::FinishOnFocusLoss(CUGCtrl* frame, CWnd* editor, CWnd* newFocus,
                                     bool checkFocus) {
    if (!frame)
        return;
    if (checkFocus &&
        (!newFocus || !IsWindow(newFocus) || (newFocus != frame && newFocus->GetParent() != frame)))
        cancelFlag = 1;
    CString text = editor->GetWindowText();
    if (!frame->EditFinish(text, cancelFlag, continueFlag, nextCol, nextRow)) {
        frame->MoveToCell(frame->editCol, frame->editRow);
        editor->SetFocus();
    }
}

CUGCtrl* UGFrameOf(CWnd* editor) {
    for (CWnd* w = editor ? editor->GetParent() : nullptr; w; w = w->GetParent())
        if (auto* frame = dynamic_cast<CUGCtrl*>(w))
            return frame;
    return nullptr;
}

UINT UGEditorDlgCode(UINT defaultCode) {
    if (KeyDown(VK_TAB))
        return DLGC_WANTTAB;
    if (KeyDown(VK_RETURN) || KeyDown(VK_ESCAPE))
        return DLGC_WANTALLKEYS;
    return defaultCode;
}
