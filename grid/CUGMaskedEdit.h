#pragma once
// An in-place editor that holds its input to a character mask taken from the cell's mask
// property: each position either accepts a class of characters or is a literal that the
// editor types itself. Edits end as in the default editor (Up and Down always end them),
// and losing the focus to a window outside the grid discards the edit.
//
// Mask characters: 0 digit; 9 digit or space; # digit, space, + or -; L letter; ? letter or
// space; A letter or digit; a letter, digit or space; & and C any printable character.
// Anything else is a literal; a backslash makes the character after it a literal.

#include <afxwin.h>

#include "grid/UGEditEnding.h"

class CUGCtrl;

class CUGMaskedEdit : public CEdit {
public:
    CUGMaskedEdit() = default;
    ~CUGMaskedEdit() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Null or empty switches the mask off; otherwise the text is held to it from now on
    // and the present text is refitted.
    void SetMask(LPCTSTR mask);
    bool IsMaskActive() const { return maskActive_ != 0; }
    const UGEditEnding& Ending() const { return ending_; }

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;
    int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) override;

private:
    CUGCtrl* Frame();
    bool MaskAccepts(wchar_t c);
    bool Fits(wchar_t c, int position) const;
    bool IsLiteral(int position) const;
    void Reformat();

    int busy_ = 0; // typing a literal or rewriting the text: no checks meanwhile
    int maskActive_ = 0;
    wchar_t promptChar_ = L'_';
    const wchar_t* maskCharSet_ = L"09#L?Aa&C";
    CString rawMask_;   // as received, with escapes
    CString maskChars_; // per position: the mask character, or kLiteralMark
    CString literals_;  // per position: the literal, or kLiteralMark for input
    UGEditEnding ending_;
    CUGCtrl* frame_ = nullptr;
};
