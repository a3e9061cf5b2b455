// What painting the cell area costs a user: a full paint pass of a 1000 x 700 grid of text,
// and the Down key at the last whole row, which scrolls the view by one row. The scroll must
// paint only the uncovered row band and the old and new current cells.
//
//   full paint: X ms
//   scroll one row: Y ms, Z pixel rows painted

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "MessageQueue.h"
#include "SysColors.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"

namespace {

constexpr int kCols = 20;
constexpr long kRows = 10000;
constexpr int kRuns = 200;

class HostWindow : public CWnd {
public:
    HostWindow() {
        CreateEx(0, L"GridBench", L"Grid", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                 CRect(0, 0, 1000, 700), nullptr, 0);
    }
    ~HostWindow() override { DestroyWindow(); }
};

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    HostWindow host;
    CUGCtrl grid;
    grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 1000, 700), &host, 1);
    grid.EnablePainting(FALSE);
    grid.SetColCount(kCols);
    grid.SetRowCount(kRows);
    for (int c = 0; c < kCols; ++c) {
        grid.SetCellText(c, -1, (L"Column " + std::to_wstring(c + 1)).c_str());
        for (long r = 0; r < kRows; ++r)
            grid.SetCellText(c, r, (L"Item " + std::to_wstring(r * kCols + c)).c_str());
    }
    grid.EnablePainting(TRUE);
    grid.RepaintAll();
    grid.grid->SetFocus();
    ui::DrainQueue();

    std::vector<double> full;
    for (int i = 0; i < kRuns; ++i) {
        auto start = std::chrono::steady_clock::now();
        grid.grid->RepaintAll();
        full.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }

    // The current cell on the last whole row: Down scrolls the view by one row.
    std::vector<double> scroll;
    std::vector<int> rows;
    for (int i = 0; i < kRuns; ++i) {
        grid.MoveToCell(0, grid.GetBottomRow() - 1);
        ui::DrainQueue();
        long topBefore = grid.GetTopRow();
        auto start = std::chrono::steady_clock::now();
        ui::PostInput(WM_KEYDOWN, VK_DOWN, POINT{0, 0}, 1);
        ui::PostInput(WM_KEYUP, VK_DOWN, POINT{0, 0}, 1);
        ui::DrainQueue();
        scroll.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        rows.push_back(grid.grid->LastPaintStats().pixelRowsPainted);
        if (grid.GetTopRow() != topBefore + 1) {
            std::fprintf(stderr, "the view did not move by one row\n");
            return 1;
        }
    }
    std::printf("full paint: %.2f ms\n", Median(full));
    std::printf("scroll one row: %.2f ms, %d pixel rows painted\n", Median(scroll),
                *std::max_element(rows.begin(), rows.end()));
    std::printf("(cell area %d pixel rows high, %d x %ld cells)\n", grid.gridInfo->gridHeight,
                kCols, kRows);
    return 0;
}
