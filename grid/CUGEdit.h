#pragma once
// The frame's default in-place editor: an edit control laid over the cell being edited. It
// passes each typed character through the key checks of the data source and the frame,
// grows over the cells to its right and below as its text grows, ends the edit on Tab,
// Enter, Escape and (while one line high) Up and Down, and hands its text to the frame
// when it loses the focus.

#include <afxwin.h>

#include "grid/UGEditEnding.h"

class CUGCtrl;

class CUGEdit : public CEdit {
public:
    CUGEdit() = default;
    ~CUGEdit() override;

    void SetFrame(CUGCtrl* frame) { frame_ = frame; }
    // Whether the window grows with its text; answers the previous setting.
    int SetAutoSize(int flag);
    int GetLastKey() const { return lastKey_; }
    const UGEditEnding& Ending() const { return ending_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;
    int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
    CUGCtrl* Frame();
    // Widens and lengthens the window over whole cells until its text fits.
    void GrowToText();

    UGEditEnding ending_;
    int lastKey_ = 0;
    int autoSize_ = 1;
    int lineHeight_ = 0;    // height + 4 when the edit began (one line)
    int currentHeight_ = 0; // height + 4 now
    CUGCtrl* frame_ = nullptr;
    CString shownText_; // to notice every change of the text
};
