#include <cairo.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

#include <afxwin.h>

namespace {

// A memory context on a white bitmap of the given size.
struct Canvas {
    CBitmap bitmap;
    CDC dc;
    Canvas(int w, int h) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> p;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                p.push_back(const_cast<CDC&>(dc).GetPixel(x, y));
        return p;
    }
};

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

} // namespace

TEST(Drawing, LinesAndRectanglesExcludeTheirEndAndRightBottomEdges) {
    Canvas c(20, 20);
    c.dc.MoveTo(2, 2);
    c.dc.LineTo(8, 2);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kBlack);
    EXPECT_EQ(c.dc.GetPixel(7, 2), kBlack);
    EXPECT_EQ(c.dc.GetPixel(8, 2), kWhite); // the end point stays
    EXPECT_EQ(c.dc.GetPixel(5, 3), kWhite); // one pixel wide, no smoothing
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(8, 2));
    c.dc.SelectStockObject(NULL_BRUSH);
    c.dc.Rectangle(10, 10, 15, 15);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kBlack);
    EXPECT_EQ(c.dc.GetPixel(14, 14), kBlack);
    EXPECT_EQ(c.dc.GetPixel(15, 15), kWhite);
    EXPECT_EQ(c.dc.GetPixel(12, 12), kWhite); // hollow
    CRect fill(0, 15, 3, 18);
    CBrush red(RGB(255, 0, 0));
    c.dc.FillRect(&fill, &red);
    EXPECT_EQ(c.dc.GetPixel(2, 17), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(3, 17), kWhite);
}

TEST(Drawing, InvertingTwiceRestoresThePixels) {
    Canvas c(40, 40);
    CBrush blue(RGB(10, 36, 106));
    CRect block(5, 5, 30, 20);
    c.dc.FillRect(&block, &blue);
    c.dc.SetPixel(3, 3, RGB(1, 2, 3));
    std::vector<COLORREF> before = c.Pixels();

    CRect focus(2, 2, 35, 25);
    c.dc.DrawFocusRect(&focus);
    EXPECT_NE(c.Pixels(), before);
    c.dc.DrawFocusRect(&focus);
    EXPECT_EQ(c.Pixels(), before);

    CPen pen(PS_SOLID, 1, RGB(200, 100, 50));
    c.dc.SelectObject(&pen);
    c.dc.SelectStockObject(NULL_BRUSH);
    for (int mode : {R2_NOT, R2_XORPEN}) {
        c.dc.SetROP2(mode);
        for (int pass = 0; pass < 2; ++pass) {
            c.dc.Rectangle(1, 1, 39, 39);
            c.dc.MoveTo(0, 0);
            c.dc.LineTo(39, 30); // a rubber band line
        }
        EXPECT_EQ(c.Pixels(), before) << "mix mode " << mode;
    }
    c.dc.InvertRect(&block);
    EXPECT_EQ(c.dc.GetPixel(10, 10), RGB(245, 219, 149));
    c.dc.InvertRect(&block);
    EXPECT_EQ(c.Pixels(), before);
}

TEST(Drawing, ScrollDCMovesPixelsAndReportsTheUncoveredBand) {
    Canvas c(30, 30);
    for (int y = 0; y < 30; ++y)
        c.dc.FillSolidRect(0, y, 30, 1, RGB(y, 0, 0));
    CRect area(0, 0, 30, 30);
    CRgn update;
    update.CreateRectRgn(0, 0, 0, 0);
    CRect uncovered;
    ASSERT_TRUE(c.dc.ScrollDC(0, -10, &area, &area, &update, &uncovered));
    EXPECT_EQ(c.dc.GetPixel(5, 0), RGB(10, 0, 0)); // row 10 moved to the top
    EXPECT_EQ(c.dc.GetPixel(5, 19), RGB(29, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(5, 20), RGB(20, 0, 0)); // the band below keeps its old pixels
    EXPECT_EQ(uncovered, CRect(0, 20, 30, 30));
    EXPECT_TRUE(update.PtInRegion(5, 25));
    EXPECT_FALSE(update.PtInRegion(5, 5));
    // Scrolling right within a clip rectangle touches nothing outside it.
    CRect clip(0, 0, 15, 30);
    c.dc.ScrollDC(5, 0, &area, &clip, nullptr, &uncovered);
    EXPECT_EQ(uncovered, CRect(0, 0, 5, 30));
    EXPECT_EQ(c.dc.GetPixel(20, 0), RGB(10, 0, 0));
}

TEST(Drawing, ScrollDCShiftsOverlappingColumnsWithoutSmearing) {
    Canvas c(20, 4);
    for (int x = 0; x < 20; ++x)
        c.dc.FillSolidRect(x, 0, 1, 4, RGB(0, x, 0));
    CRect area(2, 1, 18, 3);
    c.dc.ScrollDC(3, 0, &area, &area, nullptr, nullptr);
    for (int x = 5; x < 18; ++x)
        EXPECT_EQ(c.dc.GetPixel(x, 1), RGB(0, x - 3, 0)) << x; // each column from 3 to its left
    EXPECT_EQ(c.dc.GetPixel(10, 0), RGB(0, 10, 0));            // rows outside the area stay
    EXPECT_EQ(c.dc.GetPixel(19, 1), RGB(0, 19, 0));
    c.dc.ScrollDC(-4, 0, &area, &area, nullptr, nullptr);
    EXPECT_EQ(c.dc.GetPixel(2, 2), RGB(0, 3, 0));
    EXPECT_EQ(c.dc.GetPixel(13, 2), RGB(0, 14, 0));
}

TEST(Drawing, BlocksCopyAndStretchBetweenContexts) {
    Canvas src(4, 4), dst(8, 8);
    src.dc.FillSolidRect(0, 0, 2, 2, RGB(255, 0, 0));
    ASSERT_TRUE(dst.dc.BitBlt(1, 1, 4, 4, &src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(3, 3), kWhite);
    ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 8, 8, &src.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(4, 4), kWhite);
    dst.dc.BitBlt(0, 0, 8, 8, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(dst.dc.GetPixel(4, 4), kBlack);
}

TEST(Drawing, SavedStatesAndClippingComeBack) {
    Canvas c(20, 20);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* original = c.dc.SelectObject(&red);
    int saved = c.dc.SaveDC();
    c.dc.SelectStockObject(WHITE_PEN);
    c.dc.SetTextColor(RGB(1, 1, 1));
    c.dc.IntersectClipRect(0, 0, 5, 5);
    c.dc.FillSolidRect(0, 0, 20, 20, kBlack);
    EXPECT_EQ(c.dc.GetPixel(4, 4), kBlack);
    EXPECT_EQ(c.dc.GetPixel(5, 5), kWhite);
    ASSERT_TRUE(c.dc.RestoreDC(saved));
    EXPECT_EQ(c.dc.GetCurrentPen(), &red);
    EXPECT_EQ(c.dc.GetTextColor(), RGB(0, 0, 0));
    c.dc.FillSolidRect(0, 0, 20, 20, kBlack);
    EXPECT_EQ(c.dc.GetPixel(10, 10), kBlack);
    EXPECT_EQ(c.dc.SelectObject(original), &red);
    EXPECT_FALSE(c.dc.RestoreDC(5));
}

TEST(Drawing, TextMeasuresTheSameEveryTime) {
    CFont dialogFont;
    dialogFont.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    Canvas c(200, 60);
    c.dc.SelectObject(&dialogFont);
    CSize hello = c.dc.GetTextExtent(CString(L"Hello, World"));
    TEXTMETRIC tm;
    c.dc.GetTextMetrics(&tm);
    // DejaVu Sans at 11 pixels with fixed hinting: these numbers are the same on every
    // machine with the Debian fonts package; a change means text layout changed.
    EXPECT_EQ(hello.cx, 69);
    EXPECT_EQ(hello.cy, 14);
    EXPECT_EQ(tm.tmHeight, 14);
    EXPECT_EQ(tm.tmAscent, 11);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(c.dc.GetTextExtent(CString(L"Hello, World")), hello);
    CSize wider = c.dc.GetTextExtent(CString(L"Hello, World!"));
    EXPECT_GT(wider.cx, hello.cx);
    CFont bold;
    bold.CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    c.dc.SelectObject(&bold);
    EXPECT_GT(c.dc.GetTextExtent(CString(L"Hello, World")).cx, hello.cx);
    c.dc.SelectObject(&dialogFont);

    // DrawText: word wrap, the measuring pass, alignment and clipping.
    CRect box(0, 0, 60, 0);
    int height = c.dc.DrawText(CString(L"one two three four"), &box, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 2 * tm.tmHeight);
    EXPECT_LE(box.Width(), 60);
    CRect right(0, 0, 200, 20);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.DrawText(CString(L"x"), &right, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    bool inked = false;
    for (int x = 190; x < 200; ++x)
        for (int y = 0; y < 20; ++y)
            inked |= c.dc.GetPixel(x, y) != kWhite;
    EXPECT_TRUE(inked);
    CRect clip(0, 30, 10, 50);
    c.dc.ExtTextOut(0, 30, ETO_CLIPPED | ETO_OPAQUE, &clip, CString(L"WWWWWW"));
    for (int y = 30; y < 50; ++y)
        EXPECT_EQ(c.dc.GetPixel(12, y), kWhite);
    // "&Save" draws "Save" with the S underlined; DT_NOPREFIX keeps the ampersand.
    CRect a(0, 0, 200, 20), b(0, 0, 200, 20);
    c.dc.DrawText(CString(L"&Save"), &a, DT_CALCRECT | DT_SINGLELINE);
    c.dc.DrawText(CString(L"&Save"), &b, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a.Width(), c.dc.GetTextExtent(CString(L"Save")).cx);
    EXPECT_GT(b.Width(), a.Width());
}

TEST(Drawing, BitmapsLoadFromBmpFiles) {
    // A 2x2 24-bit bottom-up BMP: bottom row blue, white; top row red, green.
    std::vector<unsigned char> file = {
        'B', 'M', 70, 0, 0, 0, 0, 0,  0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1,
        0,   24,  0,  0, 0, 0, 0, 16, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    unsigned char rows[] = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    file.insert(file.end(), rows, rows + sizeof rows);
    auto path = std::filesystem::temp_directory_path() / "kestrel_ui_test.bmp";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmapFile(path.wstring().c_str()));
    EXPECT_EQ(bmp.GetBitmapDimension(), CSize(2, 2));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bmp);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));
    std::filesystem::remove(path);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmapFile(L"/nonexistent/file.bmp"));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
}

TEST(Drawing, TextAlignsOnItsAnchorAndFillsItsBackgroundWhenOpaque) {
    CFont font;
    font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    Canvas c(120, 60);
    c.dc.SelectObject(&font);
    TEXTMETRIC tm;
    c.dc.GetTextMetrics(&tm);
    int width = c.dc.GetTextExtent(CString(L"Mm")).cx;
    // Opaque: the text's cell takes the background colour.
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(RGB(0, 255, 0));
    c.dc.TextOut(10, 0, CString(L"Mm"));
    EXPECT_EQ(c.dc.GetPixel(10, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.dc.GetPixel(10 + width - 1, tm.tmHeight - 1), RGB(0, 255, 0));
    EXPECT_EQ(c.dc.GetPixel(10 + width, 0), kWhite);
    // Right-aligned at x: the cell ends at x. Baseline-aligned at y: the cell starts ascent
    // pixels above y.
    c.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    c.dc.SetBkColor(RGB(0, 0, 255));
    c.dc.TextOut(100, 40, CString(L"Mm"));
    EXPECT_EQ(c.dc.GetPixel(99, 40 - tm.tmAscent), RGB(0, 0, 255));
    EXPECT_EQ(c.dc.GetPixel(100, 40 - tm.tmAscent), kWhite);
    EXPECT_EQ(c.dc.GetPixel(100 - width, 40 - tm.tmAscent - 1), kWhite);
    // Updating the current position moves the pen past the text.
    c.dc.SetTextAlign(TA_LEFT | TA_TOP | TA_UPDATECP);
    c.dc.MoveTo(0, 45);
    c.dc.TextOut(0, 0, CString(L"Mm"));
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(width, 45));
}

TEST(Drawing, DrawTextLinesEllipsisAndPlacement) {
    CFont font;
    font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    Canvas c(200, 100);
    c.dc.SelectObject(&font);
    TEXTMETRIC tm;
    c.dc.GetTextMetrics(&tm);
    CRect lines(0, 0, 200, 0);
    EXPECT_EQ(c.dc.DrawText(CString(L"one\r\ntwo\nthree"), &lines, DT_CALCRECT), 3 * tm.tmHeight);
    EXPECT_EQ(lines.Width(), c.dc.GetTextExtent(CString(L"three")).cx);
    CRect single(0, 0, 200, 0);
    c.dc.DrawText(CString(L"one\ntwo"), &single, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(single.Height(), tm.tmHeight);
    // A line too wide for its box ends in "..." and stays inside.
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(RGB(255, 0, 0));
    CRect narrow(0, 20, 40, 40);
    c.dc.DrawText(CString(L"a rather long text"), &narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
    bool outside = false;
    for (int x = 40; x < 200; ++x)
        outside |= c.dc.GetPixel(x, 25) != kWhite;
    EXPECT_FALSE(outside);
    // Bottom alignment puts the line's cell on the box's bottom edge.
    CRect bottom(0, 50, 200, 90);
    c.dc.DrawText(CString(L"x"), &bottom, DT_SINGLELINE | DT_BOTTOM | DT_CENTER);
    EXPECT_EQ(c.dc.GetPixel(100, 89), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(100, 90 - tm.tmHeight - 1), kWhite);
}

TEST(Drawing, ShapesPensBrushesAndOrigins) {
    Canvas c(40, 40);
    CBrush red(RGB(255, 0, 0));
    c.dc.SelectObject(&red);
    c.dc.SelectStockObject(NULL_PEN);
    POINT triangle[3] = {{0, 0}, {20, 0}, {0, 20}};
    c.dc.Polygon(triangle, 3);
    EXPECT_EQ(c.dc.GetPixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(18, 18), kWhite);
    c.dc.SelectStockObject(BLACK_PEN);
    c.dc.Ellipse(20, 20, 40, 40);
    EXPECT_EQ(c.dc.GetPixel(30, 30), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(21, 21), kWhite); // outside the curve
    // A wide pen covers its width; the null pen draws nothing.
    CPen wide(PS_SOLID, 3, RGB(0, 0, 255));
    c.dc.SelectObject(&wide);
    c.dc.MoveTo(0, 30);
    c.dc.LineTo(10, 30);
    EXPECT_EQ(c.dc.GetPixel(5, 29), RGB(0, 0, 255));
    EXPECT_EQ(c.dc.GetPixel(5, 31), RGB(0, 0, 255));
    EXPECT_EQ(c.dc.GetPixel(5, 32), kWhite);
    // The viewport origin moves everything drawn afterwards.
    c.dc.SetViewportOrg(30, 0);
    c.dc.FillSolidRect(0, 0, 2, 2, RGB(0, 255, 0));
    EXPECT_EQ(c.dc.GetPixel(0, 0), RGB(0, 255, 0)); // read through the same origin
    c.dc.SetViewportOrg(0, 0);
    EXPECT_EQ(c.dc.GetPixel(30, 0), RGB(0, 255, 0));
    // A pattern brush tiles its bitmap from the origin.
    unsigned char checker[] = {0xAA, 0x00, 0x55, 0x00}; // 1-bit rows padded to 16 bits
    CBitmap bits;
    ASSERT_TRUE(bits.CreateBitmap(2, 2, 1, 1, checker));
    CBrush pattern;
    pattern.CreatePatternBrush(&bits);
    CRect area(0, 34, 4, 36);
    c.dc.FillRect(&area, &pattern);
    EXPECT_NE(c.dc.GetPixel(0, 34), c.dc.GetPixel(1, 34));
    EXPECT_EQ(c.dc.GetPixel(0, 34), c.dc.GetPixel(2, 34));
    EXPECT_EQ(c.dc.GetPixel(0, 34), c.dc.GetPixel(1, 35));
}

TEST(Drawing, ClipRegionsLimitEveryKindOfDrawing) {
    Canvas c(30, 30);
    CRgn region;
    region.CreateRectRgn(0, 0, 10, 10);
    c.dc.SelectClipRgn(&region);
    c.dc.ExcludeClipRect(0, 0, 5, 5);
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
    c.dc.FillSolidRect(0, 0, 30, 30, kBlack);
    EXPECT_EQ(c.dc.GetPixel(2, 2), kWhite); // excluded
    EXPECT_EQ(c.dc.GetPixel(7, 7), kBlack);
    EXPECT_EQ(c.dc.GetPixel(12, 12), kWhite); // outside the region
    EXPECT_TRUE(c.dc.PtVisible(7, 7));
    EXPECT_FALSE(c.dc.PtVisible(2, 2));
    c.dc.SelectClipRgn(nullptr);
    c.dc.FillSolidRect(0, 0, 30, 30, kBlack);
    EXPECT_EQ(c.dc.GetPixel(12, 12), kBlack);
}

TEST(Drawing, FontsMapToTheDejaVuFaces) {
    Canvas c(10, 10);
    CFont mono, cell, italic, plain;
    mono.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Courier New");
    cell.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    italic.CreateFont(-11, 0, 0, 0, FW_NORMAL, 1, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    plain.CreatePointFont(80, L"MS Sans Serif");
    c.dc.SelectObject(&mono);
    EXPECT_EQ(c.dc.GetTextExtent(CString(L"iiii")).cx, c.dc.GetTextExtent(CString(L"WWWW")).cx);
    c.dc.SelectObject(&cell);
    TEXTMETRIC tm;
    c.dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 16, 1); // a positive height asks for the cell height
    c.dc.SelectObject(&italic);
    c.dc.GetTextMetrics(&tm);
    EXPECT_TRUE(tm.tmItalic);
    c.dc.SelectObject(&plain); // 8 points are 11 pixels
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, 14);
    LOGFONT lf;
    plain.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -11);
}

TEST(Drawing, FrameControlsDrawArrowsChecksAndCloseBoxes) {
    Canvas c(120, 40);
    c.dc.FillSolidRect(0, 0, 120, 40, RGB(212, 208, 200));
    CRect up(0, 0, 17, 17), down(20, 0, 37, 17), left(40, 0, 57, 17), right(60, 0, 77, 17);
    CRect grey(80, 0, 97, 17), close(0, 20, 16, 34), check(20, 20, 33, 33), ticked(40, 20, 53, 33);
    c.dc.DrawFrameControl(&up, DFC_SCROLL, DFCS_SCROLLUP);
    c.dc.DrawFrameControl(&down, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    c.dc.DrawFrameControl(&left, DFC_SCROLL, DFCS_SCROLLLEFT);
    c.dc.DrawFrameControl(&right, DFC_SCROLL, DFCS_SCROLLRIGHT);
    c.dc.DrawFrameControl(&grey, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    c.dc.DrawFrameControl(&close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    c.dc.DrawFrameControl(&check, DFC_BUTTON, DFCS_BUTTONCHECK);
    c.dc.DrawFrameControl(&ticked, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    std::filesystem::path dir = std::filesystem::path(KESTREL_BINARY_DIR) / "shots";
    std::filesystem::create_directories(dir);
    CBitmap* bitmap = c.dc.GetCurrentBitmap();
    ASSERT_NE(bitmap, nullptr);
    cairo_surface_write_to_png(bitmap->Surface(), (dir / "frame-controls.png").string().c_str());
    // The up arrow is black, points up and is mirror-symmetric; the inactive one is grey.
    int blackTop = -1, blackBottom = -1;
    for (int y = 0; y < 17; ++y)
        if (c.dc.GetPixel(8, y) == kBlack)
            (blackTop < 0 ? blackTop : blackBottom) = y, blackBottom = y;
    ASSERT_GE(blackTop, 0);
    auto rowWidth = [&](int x0, int y) {
        int n = 0;
        for (int x = x0; x < x0 + 17; ++x)
            n += c.dc.GetPixel(x, y) == kBlack;
        return n;
    };
    EXPECT_LT(rowWidth(0, blackTop), rowWidth(0, blackBottom));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(c.dc.GetPixel(x, y) == kBlack, c.dc.GetPixel(16 - x, y) == kBlack);
    for (int y = 0; y < 17; ++y)
        EXPECT_EQ(rowWidth(80, y), 0);
    // The ticked box has a black mark in its white square; the plain one has none.
    auto blackIn = [&](const CRect& r) {
        int n = 0;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x)
                n += c.dc.GetPixel(x, y) == kBlack;
        return n;
    };
    EXPECT_EQ(blackIn(check), 0);
    EXPECT_EQ(blackIn(ticked), 21);
}
