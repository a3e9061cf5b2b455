#pragma once
// What both in-place editors share: how a key ends an edit and says where editing goes on,
// and how losing the focus hands the text to the frame.

#include <afxwin.h>

class CUGCtrl;

struct UGEditEnding {
    int cancelFlag = 0;   // the edit is to be discarded
    int continueFlag = 0; // editing goes on at nextCol, nextRow
    int nextCol = 0;
    long nextRow = 0;

    void Clear() { *this = UGEditEnding{}; }
    // Tab, Enter, Escape and (when `verticalEnds`) Up and Down end the edit: the flags say
    // how, and the focus goes to the frame, whose taking it ends the edit. False for any
    // other key, which the editor handles itself.
    bool EndByKey(CUGCtrl* frame, UINT key, bool verticalEnds);
    // The editor lost the focus to `newFocus`: with `checkFocus`, a window outside the grid
    // discards the edit. The text goes to the frame; when the frame keeps the edit open,
    // the editor goes back to its cell and takes the focus again.
    void FinishOnFocusLoss(CUGCtrl* frame, CWnd* editor, CWnd* newFocus, bool checkFocus);
};

// The grid frame an editor works for: the nearest CUGCtrl among its parents.
CUGCtrl* UGFrameOf(CWnd* editor);

// An editor's WM_GETDLGCODE: it takes Tab, Enter and Escape itself while one of them is the
// key being asked about (or is held).
UINT UGEditorDlgCode(UINT defaultCode);
