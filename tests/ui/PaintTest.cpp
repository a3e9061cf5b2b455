#include <gtest/gtest.h>

#include "MessageQueue.h"

#include "tests/ui/TestWindows.h"

namespace {

// Paints its whole client area, or only reports what it was asked to paint.
class RecordingWnd : public LoggingWnd {
public:
    std::vector<CRect> painted;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        painted.push_back(dc.m_ps.rcPaint);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, fill); // clipped to what needed painting
    }
};

COLORREF PixelOf(CWnd& w, int x, int y) {
    CClientDC dc(&w);
    return dc.GetPixel(x, y);
}

} // namespace

TEST(Painting, InvalidRegionsPaintOnlyWhatWasInvalidated) {
    RecordingWnd top;
    top.fill = RGB(255, 255, 255);
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ui::DrainQueue();
    top.painted.clear();
    top.fill = RGB(255, 0, 0);
    CRect a(0, 0, 10, 10), b(50, 50, 60, 60);
    top.InvalidateRect(&a, FALSE);
    top.InvalidateRect(&b, FALSE);
    CRect pending;
    EXPECT_TRUE(top.GetUpdateRect(&pending));
    EXPECT_EQ(pending, CRect(0, 0, 60, 60));
    top.UpdateWindow(); // paints at once, without the queue
    ASSERT_EQ(top.painted.size(), 1u);
    EXPECT_FALSE(top.GetUpdateRect(nullptr));
    EXPECT_EQ(PixelOf(top, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(top, 55, 55), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(top, 30, 30), RGB(255, 255, 255)); // between the two: untouched
    top.ValidateRect(nullptr);
    top.UpdateWindow();
    EXPECT_EQ(top.painted.size(), 1u); // nothing left to paint
}

TEST(Painting, ClipChildrenKeepsTheParentOffItsChildren) {
    for (bool clip : {true, false}) {
        RecordingWnd top, child;
        top.fill = RGB(255, 0, 0);
        child.fill = RGB(0, 255, 0);
        ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100),
                                  WS_POPUP | WS_VISIBLE | (clip ? WS_CLIPCHILDREN : 0)));
        ASSERT_TRUE(child.CreateChild(&top, CRect(20, 20, 40, 40), 1));
        ui::DrainQueue();
        EXPECT_EQ(PixelOf(top, 30, 30), RGB(0, 255, 0));
        child.painted.clear();
        top.Invalidate(); // the parent repaints everything it may touch
        {
            // Before the child repaints: with clipping the child's pixels were never touched.
            top.UpdateWindow();
            EXPECT_EQ(PixelOf(top, 30, 30), clip ? RGB(0, 255, 0) : RGB(255, 0, 0));
            EXPECT_EQ(PixelOf(top, 10, 10), RGB(255, 0, 0));
        }
        ui::DrainQueue();
        // Without clipping the child was invalidated too and is whole again.
        EXPECT_EQ(child.painted.size(), clip ? 0u : 1u);
        EXPECT_EQ(PixelOf(top, 30, 30), RGB(0, 255, 0));
        // A client DC of the child draws only inside the child.
        CClientDC dc(&child);
        dc.FillSolidRect(-20, -20, 100, 100, RGB(0, 0, 255));
        EXPECT_EQ(PixelOf(top, 10, 10), RGB(255, 0, 0));
        EXPECT_EQ(PixelOf(top, 30, 30), RGB(0, 0, 255));
    }
}

TEST(Painting, HidingAChildRepaintsWhatItCovered) {
    RecordingWnd top, child;
    top.fill = RGB(255, 0, 0);
    child.fill = RGB(0, 255, 0);
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN));
    ASSERT_TRUE(child.CreateChild(&top, CRect(20, 20, 40, 40), 1));
    ui::DrainQueue();
    top.painted.clear();
    child.ShowWindow(SW_HIDE);
    ui::DrainQueue();
    ASSERT_EQ(top.painted.size(), 1u);
    EXPECT_EQ(top.painted[0], CRect(20, 20, 40, 40));
    EXPECT_EQ(PixelOf(top, 30, 30), RGB(255, 0, 0));
    EXPECT_EQ(top.Count(WM_ERASEBKGND) > 0, true);
}
