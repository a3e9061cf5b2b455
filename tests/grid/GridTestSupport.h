#pragma once
// A grid in a top-level window of its own, for tests that look at its pixels or drive it
// with messages, and the helpers those tests share.

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include "Automation.h"
#include "MessageQueue.h"
#include "SysColors.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"

// Failing checks show texts as texts.
inline void PrintTo(const CString& text, std::ostream* out) {
    *out << '"';
    for (int i = 0; i < text.GetLength(); ++i)
        *out << (text[i] < 128 ? static_cast<char>(text[i]) : '?');
    *out << '"';
}

// A grid that records the hooks it hears, in order, as short lines ("cellmoved 0 1 0 2").
class RecordingGrid : public CUGCtrl {
public:
    std::vector<std::string> calls;
    int vetoMoves = 0; // OnQueryCellMove answers 0 while set

    int CountCalls(const std::string& prefix) const {
        int n = 0;
        for (const std::string& c : calls)
            n += c.rfind(prefix, 0) == 0;
        return n;
    }

    int OnQueryCellMove(int, long, int, long) override {
        calls.push_back("querymove");
        return vetoMoves ? 0 : 1;
    }
    void OnCurrentColMoved(int oldCol, int newCol) override {
        calls.push_back("colmoved " + std::to_string(oldCol) + " " + std::to_string(newCol));
    }
    void OnCurrentRowMoved(long oldRow, long newRow) override {
        calls.push_back("rowmoved " + std::to_string(oldRow) + " " + std::to_string(newRow));
    }
    void OnCurrentCellMoved(int oldCol, int newCol, long oldRow, long newRow) override {
        calls.push_back("cellmoved " + std::to_string(oldCol) + " " + std::to_string(newCol) + " " +
                        std::to_string(oldRow) + " " + std::to_string(newRow));
    }
    void OnTopRowMoved(long oldRow, long newRow) override {
        calls.push_back("toprow " + std::to_string(oldRow) + " " + std::to_string(newRow));
    }
    void OnPastLastRow(long numRows, long rowsPast, long rowsFound) override {
        calls.push_back("pastlast " + std::to_string(numRows) + " " + std::to_string(rowsPast) +
                        " " + std::to_string(rowsFound));
    }
    void OnColResized(int col, int* width) override {
        calls.push_back("colresized " + std::to_string(col) + " " + std::to_string(*width));
    }
    int OnQueryColDrop(int from, int to) override {
        calls.push_back("coldrop " + std::to_string(from) + " " + std::to_string(to));
        return 1;
    }
    // Heading clicks: "top left 4 -2 1" (heading, button, column, row, down).
    void OnTopHdgLeftClick(int col, long row, int updn, RECT*, POINT*, int) override {
        RecordClick("top left", col, row, updn);
    }
    void OnTopHdgRightClick(int col, long row, int updn, RECT*, POINT*, int) override {
        RecordClick("top right", col, row, updn);
    }
    void OnTopHdgDoubleClick(int col, long row, RECT*, POINT*, int) override {
        RecordClick("top double", col, row, 1);
    }
    void OnSideHdgLeftClick(int col, long row, int updn, RECT*, POINT*, int) override {
        RecordClick("side left", col, row, updn);
    }
    void OnSideHdgRightClick(int col, long row, int updn, RECT*, POINT*, int) override {
        RecordClick("side right", col, row, updn);
    }
    void OnSideHdgDoubleClick(int col, long row, RECT*, POINT*, int) override {
        RecordClick("side double", col, row, 1);
    }

private:
    void RecordClick(const std::string& what, int col, long row, int updn) {
        calls.push_back(what + " " + std::to_string(col) + " " + std::to_string(row) + " " +
                        std::to_string(updn));
    }
};

// The top-level window holding the grid, created hidden from nothing but a rectangle.
class GridWindow : public CWnd {
public:
    explicit GridWindow(CRect screen = CRect(50, 50, 450, 300)) {
        CreateEx(0, L"GridTestHost", L"Grid", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, screen,
                 nullptr, 0);
        backgroundBrush_ = GetSysColorBrush(COLOR_BTNFACE);
    }
    ~GridWindow() override {
        if (m_hWnd)
            DestroyWindow();
    }
};

// The grid's windows are fresh and painted.
inline void Settle() {
    ui::DrainQueue();
}

// A pixel of the cell area (client coordinates of the grid's cell-area window).
inline COLORREF CellAreaPixel(CUGCtrl& grid, int x, int y) {
    CClientDC dc(grid.grid.get());
    return dc.GetPixel(x, y);
}

inline COLORREF WindowPixel(CWnd& window, int x, int y) {
    CClientDC dc(&window);
    return dc.GetPixel(x, y);
}

// Where the tests keep the pictures of the grids they render.
inline std::filesystem::path GridShotsDir() {
    std::filesystem::path dir = std::filesystem::path(KESTREL_BINARY_DIR) / "shots" / "grid";
    std::filesystem::create_directories(dir);
    return dir;
}

inline void SaveShot(CWnd& topLevel, const std::string& name) {
    ui::ShotOf(&topLevel, (GridShotsDir() / (name + ".png")).wstring());
}

// Several top-level windows (a grid's window and the pop-ups over it, bottom first) as the
// screen shows them, on the desktop's colour, cut to the area they cover.
void SaveScreenShot(const std::vector<CWnd*>& bottomToTop, const std::string& name);

// Input through the queue, as a user's would arrive, at client points of a window.
inline void PostMouse(CWnd* w, UINT message, CPoint client, UINT keys = 0) {
    CPoint screen = client;
    w->ClientToScreen(&screen);
    SetCursorPos(screen.x, screen.y);
    ui::PostInput(message, keys, screen, 0);
}

inline void PostKey(UINT key, UINT message = WM_KEYDOWN) {
    ui::PostInput(message, key, POINT{0, 0}, 1);
}

// Ten columns of 75 and 200 rows of 20 in a frame of 420 x 260 (with both scroll bars the
// cells have 363 x 223 pixels), driven through the queue: painted, the cell area focused and
// the hooks heard while setting up forgotten.
class QueueDrivenGrid : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 420, 260), &window, 1));
        grid.SetColCount(10);
        grid.SetRowCount(200);
        Prepare();
        grid.RepaintAll();
        grid.grid->SetFocus();
        Settle();
        grid.calls.clear();
    }
    // What a fixture sets up before the first paint.
    virtual void Prepare() {}
    void Key(UINT key) {
        PostKey(key);
        Settle();
    }
    // A left click at a point of the cell area.
    void ClickCells(CPoint point) {
        PostMouse(grid.grid.get(), WM_LBUTTONDOWN, point, MK_LBUTTON);
        PostMouse(grid.grid.get(), WM_LBUTTONUP, point);
        Settle();
    }

    GridWindow window{CRect(60, 60, 480, 320)};
    RecordingGrid grid;
};
