// The main window on the office plan, headless: what clicks, drags, moves and keys in it
// answer to each kind of wait, as script lines; the command line's typing and recall; the
// selection and the editor's inverting vectors in its picture; a command's additions shown.
#include <cairo.h>
#include <gtest/gtest.h>

#include <aced.h>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

#include "KestrelRun.h"
#include "Utf8.h"
#include "ed/GrDrawLog.h"
#include "ed/ScriptLine.h"
#include "shell/MainWindow.h"

namespace {

using shell::MainWindow;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(database_.readDxfFile(crt::FromUtf8(kOfficePlan).c_str()), Acad::eOk);
        // Entity names and handles are the working drawing's, as in a run.
        acdbHostApplicationServices()->setWorkingDatabase(&database_);
        window_ = std::make_unique<MainWindow>(database_, L"Kestrel", CSize(600, 400), false);
        window_->Scene(); // read, and zoomed to the plan
    }

    CPoint At(double x, double y) {
        view::Point2 p = window_->Viewport().ToScreen({x, y});
        return CPoint(static_cast<int>(p.x), static_cast<int>(p.y));
    }
    void Mouse(UINT message, CPoint at, UINT keys = 0) {
        window_->SendMessage(message, keys, MAKELPARAM(at.x, at.y));
    }
    void Click(CPoint at) {
        Mouse(WM_LBUTTONDOWN, at, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, at);
    }
    void Key(UINT key) { window_->SendMessage(WM_KEYDOWN, key, 1); }
    void Type(const std::wstring& text) {
        for (wchar_t c : text)
            window_->SendMessage(WM_CHAR, static_cast<WPARAM>(c), 1);
    }
    std::wstring Next() { return window_->NextLine().value_or(L"(none)"); }
    // The world point a line's token stands for.
    static ed::Point3 PointOf(const std::wstring& line, std::size_t token) {
        auto parsed = ed::ScriptLine::Parse(line, nullptr);
        return ed::ParsePoint((*parsed)[token].text).value_or(ed::Point3{1e9, 1e9, 0});
    }
    // One unit of the plan is this many pixels: answers are good to a pixel.
    double Pixel() const { return 1.0 / window_->Viewport().PixelsPerUnit(); }

    std::uint32_t PixelOf(const std::string& png, CPoint at) {
        cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
        auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                     at.y * cairo_image_surface_get_stride(s));
        std::uint32_t rgb = row[at.x] & 0xFFFFFF;
        cairo_surface_destroy(s);
        return rgb;
    }

    void TearDown() override {
        window_.reset();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    AcDbDatabase database_{false, true};
    std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, AClickAnswersAPointPromptWithTheWorldPointUnderIt) {
    window_->Refresh(L"Upper left corner of table:");
    Click(At(3, 2));
    ed::Point3 p = PointOf(Next(), 0);
    EXPECT_NEAR(p.x, 3, Pixel());
    EXPECT_NEAR(p.y, 2, Pixel());
    // At the command prompt the view takes no clicks.
    window_->Refresh(L"Command");
    Click(At(3, 2));
    EXPECT_EQ(Next(), L"(none)");
}

TEST_F(MainWindowTest, SelectionTakesPicksWindowsAndCrossingsByTheDragsDirection) {
    window_->Refresh(L"Select objects");
    // The bottom wall, from (0,0) to (12,0), by its handle.
    Click(At(4.5, 0));
    std::wstring pick = Next();
    ASSERT_TRUE(pick.starts_with(L"H ")) << crt::ToUtf8(pick);
    AcDbObjectId id;
    ASSERT_EQ(database_.getAcDbObjectId(id, false, AcDbHandle(pick.substr(2).c_str())), Acad::eOk);
    AcDbLine* wall = nullptr;
    ASSERT_EQ(acdbOpenObject(wall, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(wall->endPoint().x, 12);
    wall->close();

    Mouse(WM_LBUTTONDOWN, At(1, 7), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, At(5, 5), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(9, 1));
    std::wstring window = Next();
    EXPECT_TRUE(window.starts_with(L"W ")) << crt::ToUtf8(window);
    EXPECT_NEAR(PointOf(window, 1).x, 1, Pixel());
    EXPECT_NEAR(PointOf(window, 2).y, 1, Pixel());

    Mouse(WM_LBUTTONDOWN, At(9, 7), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(1, 1));
    EXPECT_TRUE(Next().starts_with(L"C "));

    Click(At(3, 0.5)); // nothing there
    EXPECT_EQ(Next(), L"(none)");
    Mouse(WM_RBUTTONUP, At(3, 3)); // the right button ends the selection
    EXPECT_EQ(Next(), L"");
}

TEST_F(MainWindowTest, TrackingReportsTheLatestPositionThenThePickEnterOrEscape) {
    window_->Refresh(L"cursor tracking");
    Mouse(WM_MOUSEMOVE, At(1, 1));
    Mouse(WM_MOUSEMOVE, At(2, 2));
    Mouse(WM_MOUSEMOVE, At(4, 3));
    std::wstring moved = Next();
    ASSERT_TRUE(moved.starts_with(L"MOVE ")) << crt::ToUtf8(moved);
    EXPECT_NEAR(PointOf(moved, 1).x, 4, Pixel()) << "positions not yet read give way";
    Click(At(5, 5));
    EXPECT_TRUE(Next().starts_with(L"PICK "));
    Key(VK_RETURN);
    EXPECT_EQ(Next(), L"ENTER");
    Key(VK_ESCAPE);
    EXPECT_EQ(Next(), L"ESC");
}

TEST_F(MainWindowTest, TypedLinesAreSentOnEnterAndComeBackWithUp) {
    window_->Refresh(L"Command");
    Type(L"ZRBOMX");
    Key(VK_BACK);
    Type(L"C");
    Key(VK_ESCAPE); // clears what is typed, answers nothing at the command prompt
    EXPECT_EQ(Next(), L"(none)");
    Type(L"ZRBOMC");
    Key(VK_RETURN);
    EXPECT_EQ(Next(), L"ZRBOMC");
    Type(L"W 0,0 1,1");
    Key(VK_RETURN);
    EXPECT_EQ(Next(), L"W 0,0 1,1");
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_RETURN);
    EXPECT_EQ(Next(), L"ZRBOMC");
}

TEST_F(MainWindowTest, ThePictureShowsTheSelectionDashedAndInvertingVectorsUntilDrawnTwice) {
    std::string dir = ScratchDir("main_window_picture");
    window_->Refresh(L"Select objects");
    // The wall along y = 0, selected: a stretch of it has gaps.
    window_->ShowSelection(
        {static_cast<std::int64_t>(window_->Scene().Hit({4.5, 0}, 0.1)->slot) + 1});
    ASSERT_TRUE(window_->SavePicture(crt::FromUtf8(dir + "/selected.png")));
    int gaps = 0;
    for (double x = 4; x < 5; x += Pixel())
        gaps += PixelOf(dir + "/selected.png", At(x, 0)) == 0;
    EXPECT_GT(gaps, 0);

    // A vector across empty space inverts black to white; drawn again it is gone.
    ed::GrDraws().Regen();
    ads_point from = {3, 6.5, 0}, to = {5, 6.5, 0};
    acedGrDraw(from, to, -1, 1);
    ASSERT_TRUE(window_->SavePicture(crt::FromUtf8(dir + "/vector.png")));
    EXPECT_EQ(PixelOf(dir + "/vector.png", At(4, 6.5)), 0xFFFFFFu);
    acedGrDraw(to, from, -1, 1);
    ASSERT_TRUE(window_->SavePicture(crt::FromUtf8(dir + "/erased.png")));
    EXPECT_EQ(PixelOf(dir + "/erased.png", At(4, 6.5)), 0u);
}

TEST_F(MainWindowTest, WhatACommandAddedShowsOnceTheCommandPromptIsBack) {
    std::string dir = ScratchDir("main_window_added");
    window_->Refresh(L"Command");
    window_->Refresh(L"Select objects"); // a command runs
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, database_.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(3, 6.5, 0), AcGePoint3d(5, 6.5, 0));
    ASSERT_EQ(space->appendAcDbEntity(line), Acad::eOk);
    line->close();
    space->close();
    ASSERT_TRUE(window_->SavePicture(crt::FromUtf8(dir + "/during.png")));
    EXPECT_EQ(PixelOf(dir + "/during.png", At(4, 6.5)), 0u);
    window_->Refresh(L"Command");
    ASSERT_TRUE(window_->SavePicture(crt::FromUtf8(dir + "/after.png")));
    EXPECT_EQ(PixelOf(dir + "/after.png", At(4, 6.5)), 0xFFFFFFu);
}

} // namespace
