#include "grid/CUGCell.h"

#include <gtest/gtest.h>

#include "grid/CUGCellFormat.h"
#include "grid/UGSortCompare.h"

#include <windows.h>

#include "SysColors.h"

namespace {

// Stand-ins for GDI objects: a cell only carries the pointers, never uses them.
int g_penStorage, g_fontStorage, g_bitmapStorage;
CPen* const kPen = reinterpret_cast<CPen*>(&g_penStorage);
CFont* const kFont = reinterpret_cast<CFont*>(&g_fontStorage);
CBitmap* const kBitmap = reinterpret_cast<CBitmap*>(&g_bitmapStorage);

class UpperCaseFormat : public CUGCellFormat {
public:
    void ApplyFormat(CUGCell* cell) override {
        CString text(cell->GetText());
        cell->SetText(text.MakeUpper());
    }
};

TEST(CUGCell, FreshCellAnswersTheDefaultOfEveryProperty) {
    CUGCell cell;
    EXPECT_EQ(cell.GetPropertyMask(), 0u);
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetTextLength(), 0);
    EXPECT_EQ(cell.GetMask(), nullptr);
    CString out(L"untouched");
    EXPECT_EQ(cell.GetText(&out), 1);
    EXPECT_EQ(cell.GetLabel(&out), 1);
    EXPECT_EQ(out, L"untouched");
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_STRING);
    EXPECT_EQ(cell.GetNumber(), 0.0);
    EXPECT_EQ(cell.GetCellType(), 0);
    EXPECT_EQ(cell.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(cell.GetHighlightBackColor(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(cell.GetFont(), nullptr);
    int origin = 7, colOffset = 7, rowOffset = 7;
    EXPECT_EQ(cell.GetSpan(&origin, &colOffset, &rowOffset), 1);
    EXPECT_EQ(origin + colOffset + rowOffset, 21);
}

TEST(CUGCell, ColoursNotSetFollowTheSystemPalette) {
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);

    CUGCell plain, coloured;
    coloured.SetTextColor(RGB(1, 2, 3));
    const int element = COLOR_WINDOWTEXT;
    const COLORREF red = RGB(255, 0, 0);
    ASSERT_TRUE(SetSysColors(1, &element, &red));
    EXPECT_EQ(plain.GetTextColor(), red); // read at the moment of the call
    EXPECT_EQ(coloured.GetTextColor(), RGB(1, 2, 3));

    const int bad[] = {COLOR_WINDOW, 99};
    const COLORREF values[] = {RGB(9, 9, 9), RGB(9, 9, 9)};
    EXPECT_FALSE(SetSysColors(2, bad, values));
    EXPECT_EQ(plain.GetBackColor(), RGB(255, 255, 255)); // a refused change changes nothing
    ResetSysColors();
    EXPECT_EQ(plain.GetTextColor(), RGB(0, 0, 0));
}

TEST(CUGCell, TextNumberAndBoolSettersSetTheDataType) {
    CUGCell cell;
    EXPECT_EQ(cell.AppendText(L"x"), 1);
    EXPECT_EQ(cell.GetPropertyMask(), 0u);

    cell.SetDataType(UGCELLDATA_NUMBER);
    EXPECT_EQ(cell.SetText(L"ab"), 0);
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_STRING);
    EXPECT_EQ(cell.AppendText(L"cd"), 0);
    EXPECT_STREQ(cell.GetText(), L"abcd");
    EXPECT_EQ(cell.GetTextLength(), 4);
    EXPECT_EQ(cell.GetPropertyMask(), CELLPROP_TEXT | CELLPROP_DATATYPE);

    cell.SetNumber(3.14159);
    EXPECT_STREQ(cell.GetText(), L"3.141590");
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_NUMBER);
    cell.SetDecimalPlaces(0);
    cell.SetNumber(3.14159);
    EXPECT_STREQ(cell.GetText(), L"3");
    cell.SetDecimalPlaces(2);
    cell.SetNumber(2.5);
    EXPECT_STREQ(cell.GetText(), L"2.50");
    cell.SetNumber(-1234.5);
    EXPECT_STREQ(cell.GetText(), L"-1234.50");
    EXPECT_DOUBLE_EQ(cell.GetNumber(), -1234.5);

    cell.SetBool(5);
    EXPECT_STREQ(cell.GetText(), L"1");
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_BOOL);
    cell.SetBool(0);
    EXPECT_STREQ(cell.GetText(), L"0");
}

TEST(CUGCell, BoolAndNumberAreReadTheRuntimeWay) {
    CUGCell cell;
    for (const wchar_t* yes : {L"true", L"T", L"12", L"-3", L"  7", L"1x"}) {
        cell.SetText(yes);
        EXPECT_EQ(cell.GetBool(), 1) << yes;
    }
    for (const wchar_t* no : {L"0", L"", L"x", L"false", L"0.9"}) {
        cell.SetText(no);
        EXPECT_EQ(cell.GetBool(), 0) << no;
    }
    cell.SetText(L"  12.5abc");
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 12.5);
    cell.SetText(L"1e3");
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 1000.0);
    cell.SetText(L"abc");
    EXPECT_EQ(cell.GetNumber(), 0.0);
    cell.SetText(L"0x10"); // no hexadecimal on the desktop runtime
    EXPECT_EQ(cell.GetNumber(), 0.0);
}

TEST(CUGCell, MergeAndReplaceCopyOnlyWhatTheSourceSets) {
    CUGCell target;
    target.SetText(L"keep");
    target.SetFont(kFont);
    CUGCell colourOnly;
    colourOnly.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(target.MergeFrom(colourOnly), 0);
    EXPECT_STREQ(target.GetText(), L"keep");
    EXPECT_EQ(target.GetFont(), kFont);
    EXPECT_EQ(target.GetBackColor(), RGB(1, 2, 3));
    EXPECT_EQ(target.GetPropertyMask(),
              CELLPROP_TEXT | CELLPROP_DATATYPE | CELLPROP_FONT | CELLPROP_BACKCOLOR);

    CUGCell full;
    full.SetLabel(L"a\nb");
    full.SetMask(L"999");
    full.SetSpan(1, 2, 3);
    full.SetBorderPen(kPen);
    full.SetBitmap(kBitmap);
    full.SetReadOnly(1);
    full.SetStyleCell(&colourOnly);
    full.MergeInto(target);
    EXPECT_STREQ(target.GetLabel(), L"a\nb");
    EXPECT_STREQ(target.GetMask(), L"999");
    int origin, colOffset, rowOffset;
    EXPECT_EQ(target.GetSpan(&origin, &colOffset, &rowOffset), 0);
    EXPECT_EQ(origin, 1);
    EXPECT_EQ(colOffset, 2);
    EXPECT_EQ(rowOffset, 3);
    EXPECT_EQ(target.GetBorderPen(), kPen);
    EXPECT_EQ(target.GetBitmap(), kBitmap);
    EXPECT_EQ(target.GetStyleCell(), &colourOnly);
    EXPECT_STREQ(target.GetText(), L"keep");

    // Replacing by an empty cell makes everything "not set", though the values stay behind.
    CUGCell empty;
    const unsigned before = target.GetPropertyMask();
    empty.ReplaceInto(target);
    EXPECT_EQ(target.GetPropertyMask(), 0u);
    EXPECT_EQ(target.GetText(), nullptr);
    EXPECT_EQ(target.GetFont(), nullptr);
    EXPECT_EQ(target.GetBackColor(), GetSysColor(COLOR_WINDOW));
    target.SetPropertyMask(before);
    EXPECT_STREQ(target.GetText(), L"keep");

    // Replace takes the source's mask and its values.
    CUGCell source;
    source.SetText(L"new");
    source.SetCellType(3);
    target.ReplaceFrom(source);
    EXPECT_EQ(target.GetPropertyMask(), source.GetPropertyMask());
    EXPECT_STREQ(target.GetText(), L"new");
    EXPECT_EQ(target.GetCellType(), 3);
    target.ReplaceFrom(target); // copying onto itself leaves it whole
    EXPECT_STREQ(target.GetText(), L"new");
}

TEST(CUGCell, PointerPropertiesAndMaskOperations) {
    CUGCell cell;
    cell.SetBitmap(kBitmap);
    EXPECT_TRUE(cell.HasProperty(CELLPROP_BITMAP));
    cell.SetBitmap(nullptr);
    EXPECT_EQ(cell.GetBitmap(), nullptr);
    EXPECT_FALSE(cell.HasProperty(CELLPROP_BITMAP));

    EXPECT_EQ(cell.SetFormatter(nullptr), 1);
    EXPECT_FALSE(cell.HasProperty(CELLPROP_FORMATTER));
    UpperCaseFormat format;
    EXPECT_EQ(cell.SetFormatter(&format), 0);
    cell.SetText(L"abc");
    cell.GetFormatter()->ApplyFormat(&cell);
    EXPECT_STREQ(cell.GetText(), L"ABC");

    cell.SetReadOnly(7);
    EXPECT_EQ(cell.GetReadOnly(), 1);
    EXPECT_EQ(cell.HasProperty(CELLPROP_READONLY | CELLPROP_LABEL), 1);
    EXPECT_EQ(cell.HasProperty(CELLPROP_LABEL | CELLPROP_MASK), 0);
    EXPECT_EQ(cell.RemoveProperty(CELLPROP_LABEL), 1);
    EXPECT_EQ(cell.RemoveProperty(CELLPROP_READONLY | CELLPROP_LABEL), 0);
    EXPECT_EQ(cell.GetReadOnly(), 0);

    cell.SetLabel(L"lbl");
    cell.Reset();
    EXPECT_EQ(cell.GetPropertyMask(), 0u);
    cell.SetPropertyMask(CELLPROP_TEXT | CELLPROP_LABEL);
    EXPECT_STREQ(cell.GetText(), L""); // Reset empties the text and the label
    EXPECT_STREQ(cell.GetLabel(), L"");
}

TEST(UGDefaultSortCompare, OrdersByTypeWithMissingCellsFirst) {
    CUGCell a, b;
    a.SetText(L"b");
    b.SetText(L"a");
    EXPECT_GT(UGDefaultSortCompare(&a, &b, UG_SORT_ASCENDING), 0);
    EXPECT_LT(UGDefaultSortCompare(&a, &b, UG_SORT_DESCENDING), 0);

    CUGCell ten, nine;
    ten.SetText(L"10");
    nine.SetText(L"9");
    EXPECT_LT(UGDefaultSortCompare(&ten, &nine, 0), 0); // as text
    ten.SetDataType(UGCELLDATA_NUMBER);
    EXPECT_GT(UGDefaultSortCompare(&ten, &nine, 0), 0); // as numbers
    ten.SetDataType(UGCELLDATA_CURRENCY);
    EXPECT_GT(UGDefaultSortCompare(&ten, &nine, 0), 0);

    EXPECT_EQ(UGDefaultSortCompare(nullptr, nullptr, 0), 0);
    EXPECT_LT(UGDefaultSortCompare(nullptr, &a, 0), 0);
    EXPECT_GT(UGDefaultSortCompare(&a, nullptr, 0), 0);
    EXPECT_GT(UGDefaultSortCompare(nullptr, &a, UG_SORT_DESCENDING), 0);

    CUGCell noText, alsoNoText;
    noText.SetBackColor(RGB(1, 1, 1));
    EXPECT_LT(UGDefaultSortCompare(&noText, &a, 0), 0);
    EXPECT_EQ(UGDefaultSortCompare(&noText, &alsoNoText, 0), 0);
    EXPECT_GT(UGDefaultSortCompare(&a, &noText, 0), 0); // missing text reads as empty
}

} // namespace
