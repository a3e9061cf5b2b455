#pragma once
// One cell's content and properties. The text is always held as text, with a data type saying
// how to read it. Every property has a bit in the property mask; a property whose bit is clear
// is "not set" and its getter answers a fixed default, which is what lets the grid build the
// cell it shows by laying partial cells over each other (MergeFrom).
//
// A cell owns its three strings only: pens, fonts, bitmaps, formatters and style cells are
// borrowed and must outlive the cell. Cells are copied only through ReplaceFrom/MergeFrom.

#include <memory>

#include <afxwin.h>

#include "grid/UGDefines.h"

#include <afx.h>

class CPen;
class CFont;
class CBitmap;
class CUGCellFormat;

class CUGCell {
public:
    CUGCell() { Reset(); }
    ~CUGCell() { Reset(); }
    CUGCell(const CUGCell&) = delete;
    CUGCell& operator=(const CUGCell&) = delete;

    void Reset();

    int ReplaceFrom(const CUGCell& src);
    int ReplaceInto(CUGCell& dest) const { return dest.ReplaceFrom(*this); }
    int MergeFrom(const CUGCell& src);
    int MergeInto(CUGCell& dest) const { return dest.MergeFrom(*this); }

    // Text and the data type that says how to read it.
    int SetText(LPCTSTR text);
    int AppendText(LPCTSTR text);
    int GetText(CString* out) const;
    LPCTSTR GetText() const;
    int GetTextLength() const;
    int SetNumber(double value);
    double GetNumber() const;
    int SetBool(int value);
    int GetBool() const;
    int SetDecimalPlaces(int decimals);
    int GetDecimalPlaces() const;
    int SetDataType(int type);
    int GetDataType() const;

    int SetMask(LPCTSTR mask);
    int GetMask(CString* out) const;
    LPCTSTR GetMask() const;
    int SetLabel(LPCTSTR label);
    int GetLabel(CString* out) const;
    LPCTSTR GetLabel() const;

    // Colours not set answer the current system colours.
    int SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    int SetBackColor(COLORREF color);
    COLORREF GetBackColor() const;
    int SetHighlightTextColor(COLORREF color);
    COLORREF GetHighlightTextColor() const;
    int SetHighlightBackColor(COLORREF color);
    COLORREF GetHighlightBackColor() const;

    int SetBorder(short border);
    short GetBorder() const;
    int SetBorderPen(CPen* pen);
    CPen* GetBorderPen() const;
    int SetFont(CFont* font);
    CFont* GetFont() const;
    int SetBitmap(CBitmap* bitmap); // null clears the property
    CBitmap* GetBitmap() const;
    int SetAlignment(short alignment);
    short GetAlignment() const;

    int SetReadOnly(int readOnly);
    int GetReadOnly() const;
    int SetCellType(int index);
    int GetCellType() const;
    int SetCellTypeStyle(int style);
    int GetCellTypeStyle() const;

    // Joined cells: the first cell of a block has origin 1 and the block's extent, the
    // others origin 0 and the (zero or negative) offset back to the first cell.
    int SetSpan(short origin, int colOffset, int rowOffset);
    int GetSpan(int* origin, int* colOffset, int* rowOffset) const;

    int SetFormatter(CUGCellFormat* formatter); // null is refused with 1
    CUGCellFormat* GetFormatter() const;
    int SetStyleCell(CUGCell* style);
    CUGCell* GetStyleCell() const;

    int HasProperty(unsigned mask) const { return (propertyMask_ & mask) ? 1 : 0; }
    int SetPropertyMask(unsigned mask) {
        propertyMask_ = mask;
        return 0;
    }
    unsigned GetPropertyMask() const { return propertyMask_; }
    int RemoveProperty(unsigned mask); // 1 when none of the bits was set

private:
    void CopyProperties(const CUGCell& src, unsigned bits);
    bool IsSet(unsigned bit) const { return (propertyMask_ & bit) != 0; }

    // Mask and label are rare (editors and drop lists), so they live apart and only when
    // used; this keeps a stored cell small.
    struct Rare {
        CString mask;
        CString label;
    };
    Rare& MakeRare();
    static const CString& RareText(const Rare* rare, CString Rare::*field);

    CString text_;
    std::unique_ptr<Rare> rare_;
    CUGCellFormat* formatter_ = nullptr;
    CUGCell* styleCell_ = nullptr;
    CPen* borderPen_ = nullptr;
    CFont* font_ = nullptr;
    CBitmap* bitmap_ = nullptr;
    unsigned propertyMask_ = 0;
    int readOnly_ = 0;
    int cellType_ = 0;
    int cellTypeStyle_ = 0;
    COLORREF textColor_ = 0;
    COLORREF backColor_ = 0;
    COLORREF highlightTextColor_ = 0;
    COLORREF highlightBackColor_ = 0;
    int spanRowOffset_ = 0;
    int spanColOffset_ = 0;
    short dataType_ = UGCELLDATA_STRING;
    short decimals_ = 0;
    short border_ = 0;
    short alignment_ = 0;
    short spanOrigin_ = 0;
};
