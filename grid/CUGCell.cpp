#include "grid/CUGCell.h"

#include <windows.h>

void CUGCell::Reset() {
    propertyMask_ = 0;
    text_.Empty();
    if (rare_)
        rare_->label.Empty();
}

CUGCell::Rare& CUGCell::MakeRare() {
    if (!rare_)
        rare_ = std::make_unique<Rare>();
    return *rare_;
}

const CString& CUGCell::RareText(const Rare* rare, CString Rare::*field) {
    static const CString kEmpty;
    return rare ? rare->*field : kEmpty;
}

int CUGCell::ReplaceFrom(const CUGCell& src) {
    if (&src == this)
        return 0;
    propertyMask_ = src.propertyMask_;
    CopyProperties(src, src.propertyMask_);
    return 0;
}

int CUGCell::MergeFrom(const CUGCell& src) {
    if (&src == this)
        return 0;
    propertyMask_ |= src.propertyMask_;
    CopyProperties(src, src.propertyMask_);
    return 0;
}

void CUGCell::CopyProperties(const CUGCell& src, unsigned bits) {
    if (bits & CELLPROP_TEXT)
        text_ = src.text_;
    if (bits & CELLPROP_MASK)
        MakeRare().mask = RareText(src.rare_.get(), &Rare::mask);
    if (bits & CELLPROP_LABEL)
        MakeRare().label = RareText(src.rare_.get(), &Rare::label);
    if (bits & CELLPROP_DATATYPE)
        dataType_ = src.dataType_;
    if (bits & CELLPROP_CELLTYPE)
        cellType_ = src.cellType_;
    if (bits & CELLPROP_CELLTYPESTYLE)
        cellTypeStyle_ = src.cellTypeStyle_;
    if (bits & CELLPROP_TEXTCOLOR)
        textColor_ = src.textColor_;
    if (bits & CELLPROP_BACKCOLOR)
        backColor_ = src.backColor_;
    if (bits & CELLPROP_HTEXTCOLOR)
        highlightTextColor_ = src.highlightTextColor_;
    if (bits & CELLPROP_HBACKCOLOR)
        highlightBackColor_ = src.highlightBackColor_;
    if (bits & CELLPROP_BORDER)
        border_ = src.border_;
    if (bits & CELLPROP_BORDERPEN)
        borderPen_ = src.borderPen_;
    if (bits & CELLPROP_FONT)
        font_ = src.font_;
    if (bits & CELLPROP_BITMAP)
        bitmap_ = src.bitmap_;
    if (bits & CELLPROP_ALIGNMENT)
        alignment_ = src.alignment_;
    if (bits & CELLPROP_SPAN) {
        spanOrigin_ = src.spanOrigin_;
        spanRowOffset_ = src.spanRowOffset_;
        spanColOffset_ = src.spanColOffset_;
    }
    if (bits & CELLPROP_FORMATTER)
        formatter_ = src.formatter_;
    if (bits & CELLPROP_STYLECELL)
        styleCell_ = src.styleCell_;
    if (bits & CELLPROP_READONLY)
        readOnly_ = src.readOnly_;
    if (bits & CELLPROP_DECIMALS)
        decimals_ = src.decimals_;
}

// ---- text and data type ----

int CUGCell::SetText(LPCTSTR text) {
    text_ = text;
    dataType_ = UGCELLDATA_STRING;
    propertyMask_ |= CELLPROP_TEXT | CELLPROP_DATATYPE;
    return 0;
}

int CUGCell::AppendText(LPCTSTR text) {
    if (!IsSet(CELLPROP_TEXT))
        return 1;
    text_ += text;
    dataType_ = UGCELLDATA_STRING;
    propertyMask_ |= CELLPROP_TEXT | CELLPROP_DATATYPE;
    return 0;
}

int CUGCell::GetText(CString* out) const {
    if (!IsSet(CELLPROP_TEXT))
        return 1;
    if (out)
        *out = text_;
    return 0;
}

LPCTSTR CUGCell::GetText() const {
    return IsSet(CELLPROP_TEXT) ? text_.GetString() : nullptr;
}

int CUGCell::GetTextLength() const {
    return IsSet(CELLPROP_TEXT) ? text_.GetLength() : 0;
}

int CUGCell::SetNumber(double value) {
    if (IsSet(CELLPROP_DECIMALS)) {
        CString format;
        format.Format(L"%%1.%dlf", static_cast<int>(decimals_));
        text_.Format(format, value);
    } else {
        text_.Format(L"%lf", value);
    }
    dataType_ = UGCELLDATA_NUMBER;
    propertyMask_ |= CELLPROP_TEXT | CELLPROP_DATATYPE;
    return 0;
}

double CUGCell::GetNumber() const {
    if (!IsSet(CELLPROP_TEXT))
        return 0.0;
    return wcstod(text_.GetString(), nullptr);
}

int CUGCell::SetBool(int value) {
    text_ = value ? L"1" : L"0";
    dataType_ = UGCELLDATA_BOOL;
    propertyMask_ |= CELLPROP_TEXT | CELLPROP_DATATYPE;
    return 0;
}

int CUGCell::GetBool() const {
    if (!IsSet(CELLPROP_TEXT) || text_.IsEmpty())
        return 0;
    wchar_t first = text_.GetAt(0);
    if (first == L'T' || first == L't')
        return 1;
    return _wtol(text_.GetString()) != 0 ? 1 : 0;
}

int CUGCell::SetDecimalPlaces(int decimals) {
    decimals_ = static_cast<short>(decimals);
    propertyMask_ |= CELLPROP_DECIMALS;
    return 0;
}

int CUGCell::GetDecimalPlaces() const {
    return IsSet(CELLPROP_DECIMALS) ? decimals_ : 0;
}

int CUGCell::SetDataType(int type) {
    dataType_ = static_cast<short>(type);
    propertyMask_ |= CELLPROP_DATATYPE;
    return 0;
}

int CUGCell::GetDataType() const {
    return IsSet(CELLPROP_DATATYPE) ? dataType_ : UGCELLDATA_STRING;
}

// ---- mask and label ----

int CUGCell::SetMask(LPCTSTR mask) {
    MakeRare().mask = mask;
    propertyMask_ |= CELLPROP_MASK;
    return 0;
}

int CUGCell::GetMask(CString* out) const {
    if (!IsSet(CELLPROP_MASK))
        return 1;
    if (out)
        *out = RareText(rare_.get(), &Rare::mask);
    return 0;
}

LPCTSTR CUGCell::GetMask() const {
    return IsSet(CELLPROP_MASK) ? RareText(rare_.get(), &Rare::mask).GetString() : nullptr;
}

int CUGCell::SetLabel(LPCTSTR label) {
    MakeRare().label = label;
    propertyMask_ |= CELLPROP_LABEL;
    return 0;
}

int CUGCell::GetLabel(CString* out) const {
    if (!IsSet(CELLPROP_LABEL))
        return 1;
    if (out)
        *out = RareText(rare_.get(), &Rare::label);
    return 0;
}

LPCTSTR CUGCell::GetLabel() const {
    return IsSet(CELLPROP_LABEL) ? RareText(rare_.get(), &Rare::label).GetString() : nullptr;
}

// ---- colours ----

int CUGCell::SetTextColor(COLORREF color) {
    textColor_ = color;
    propertyMask_ |= CELLPROP_TEXTCOLOR;
    return 0;
}

COLORREF CUGCell::GetTextColor() const {
    return IsSet(CELLPROP_TEXTCOLOR) ? textColor_ : GetSysColor(COLOR_WINDOWTEXT);
}

int CUGCell::SetBackColor(COLORREF color) {
    backColor_ = color;
    propertyMask_ |= CELLPROP_BACKCOLOR;
    return 0;
}

COLORREF CUGCell::GetBackColor() const {
    return IsSet(CELLPROP_BACKCOLOR) ? backColor_ : GetSysColor(COLOR_WINDOW);
}

int CUGCell::SetHighlightTextColor(COLORREF color) {
    highlightTextColor_ = color;
    propertyMask_ |= CELLPROP_HTEXTCOLOR;
    return 0;
}

COLORREF CUGCell::GetHighlightTextColor() const {
    return IsSet(CELLPROP_HTEXTCOLOR) ? highlightTextColor_ : GetSysColor(COLOR_HIGHLIGHTTEXT);
}

int CUGCell::SetHighlightBackColor(COLORREF color) {
    highlightBackColor_ = color;
    propertyMask_ |= CELLPROP_HBACKCOLOR;
    return 0;
}

COLORREF CUGCell::GetHighlightBackColor() const {
    return IsSet(CELLPROP_HBACKCOLOR) ? highlightBackColor_ : GetSysColor(COLOR_HIGHLIGHT);
}

// ---- drawing properties ----

int CUGCell::SetBorder(short border) {
    border_ = border;
    propertyMask_ |= CELLPROP_BORDER;
    return 0;
}

short CUGCell::GetBorder() const {
    return IsSet(CELLPROP_BORDER) ? border_ : 0;
}

int CUGCell::SetBorderPen(CPen* pen) {
    borderPen_ = pen;
    propertyMask_ |= CELLPROP_BORDERPEN;
    return 0;
}

CPen* CUGCell::GetBorderPen() const {
    return IsSet(CELLPROP_BORDERPEN) ? borderPen_ : nullptr;
}

int CUGCell::SetFont(CFont* font) {
    font_ = font;
    propertyMask_ |= CELLPROP_FONT;
    return 0;
}

CFont* CUGCell::GetFont() const {
    return IsSet(CELLPROP_FONT) ? font_ : nullptr;
}

int CUGCell::SetBitmap(CBitmap* bitmap) {
    bitmap_ = bitmap;
    if (bitmap)
        propertyMask_ |= CELLPROP_BITMAP;
    else
        propertyMask_ &= ~CELLPROP_BITMAP;
    return 0;
}

CBitmap* CUGCell::GetBitmap() const {
    return IsSet(CELLPROP_BITMAP) ? bitmap_ : nullptr;
}

int CUGCell::SetAlignment(short alignment) {
    alignment_ = alignment;
    propertyMask_ |= CELLPROP_ALIGNMENT;
    return 0;
}

short CUGCell::GetAlignment() const {
    return IsSet(CELLPROP_ALIGNMENT) ? alignment_ : 0;
}

// ---- behaviour ----

int CUGCell::SetReadOnly(int readOnly) {
    readOnly_ = readOnly ? 1 : 0;
    propertyMask_ |= CELLPROP_READONLY;
    return 0;
}

int CUGCell::GetReadOnly() const {
    return IsSet(CELLPROP_READONLY) ? readOnly_ : 0;
}

int CUGCell::SetCellType(int index) {
    cellType_ = index;
    propertyMask_ |= CELLPROP_CELLTYPE;
    return 0;
}

int CUGCell::GetCellType() const {
    return IsSet(CELLPROP_CELLTYPE) ? cellType_ : 0;
}

int CUGCell::SetCellTypeStyle(int style) {
    cellTypeStyle_ = style;
    propertyMask_ |= CELLPROP_CELLTYPESTYLE;
    return 0;
}

int CUGCell::GetCellTypeStyle() const {
    return IsSet(CELLPROP_CELLTYPESTYLE) ? cellTypeStyle_ : 0;
}

int CUGCell::SetSpan(short origin, int colOffset, int rowOffset) {
    spanOrigin_ = origin;
    spanColOffset_ = colOffset;
    spanRowOffset_ = rowOffset;
    propertyMask_ |= CELLPROP_SPAN;
    return 0;
}

int CUGCell::GetSpan(int* origin, int* colOffset, int* rowOffset) const {
    if (!IsSet(CELLPROP_SPAN))
        return 1;
    if (origin)
        *origin = spanOrigin_;
    if (colOffset)
        *colOffset = spanColOffset_;
    if (rowOffset)
        *rowOffset = spanRowOffset_;
    return 0;
}

int CUGCell::SetFormatter(CUGCellFormat* formatter) {
    if (!formatter)
        return 1;
    formatter_ = formatter;
    propertyMask_ |= CELLPROP_FORMATTER;
    return 0;
}

CUGCellFormat* CUGCell::GetFormatter() const {
    return IsSet(CELLPROP_FORMATTER) ? formatter_ : nullptr;
}

int CUGCell::SetStyleCell(CUGCell* style) {
    styleCell_ = style;
    propertyMask_ |= CELLPROP_STYLECELL;
    return 0;
}

CUGCell* CUGCell::GetStyleCell() const {
    return IsSet(CELLPROP_STYLECELL) ? styleCell_ : nullptr;
}

int CUGCell::RemoveProperty(unsigned mask) {
    if (!(propertyMask_ & mask))
        return 1;
    propertyMask_ &= ~mask;
    return 0;
}
