// What moving around a long grid and sorting it cost a user. Ctrl+End, Ctrl+Home and Page
// Down go through the cell area's keys, as typed, on a grid of 100 rows and on one of
// 100,000 (one uniform row height there): each must cost the same on both, within 2x,
// since no move may walk over all rows. The sort is SortRowsBy on 100,000 rows with an
// OnSortCompare hook of the kind the dialogs use (case-blind names), under 500 ms.
//
//   100 rows: Ctrl+End X ms, Ctrl+Home X ms, Page Down X ms
//   100000 rows: Ctrl+End X ms, Ctrl+Home X ms, Page Down X ms
//   ratio 100000 / 100 rows: Ctrl+End R, Ctrl+Home R, Page Down R
//   sort 100000 rows through the hook: X ms (processor time Y ms)
//
// An argument "keys" or "sort" runs one half.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "MessageQueue.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"

#include <tchar.h>

namespace {

constexpr int kCols = 5;
constexpr int kRuns = 101;

class HostWindow : public CWnd {
public:
    HostWindow() {
        CreateEx(0, L"GridBench", L"Grid", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                 CRect(0, 0, 800, 600), nullptr, 0);
    }
    ~HostWindow() override { DestroyWindow(); }
};

// Sorts names as the dialogs' grids do: empty texts last, otherwise without regard to case.
class NameGrid : public CUGCtrl {
public:
    int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) override {
        if (flags & UG_SORT_DESCENDING)
            std::swap(cell1, cell2);
        if (!cell1 || !cell2)
            return cell1 ? 1 : (cell2 ? -1 : 0);
        return _wcsicmp(cell1->GetText(), cell2->GetText());
    }
};

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The processor time of this thread: what the work costs when other programs share the
// machine's cores and stretch the wall-clock time.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Fill(CUGCtrl& grid, long rows, unsigned seed) {
    std::mt19937 random(seed);
    grid.EnablePainting(FALSE);
    grid.SetColCount(kCols);
    grid.SetRowCount(rows);
    for (long r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.SetCellText(c, r, (L"Block " + std::to_wstring(random() % 1000000)).c_str());
    grid.EnablePainting(TRUE);
    grid.RepaintAll();
}

// One key as typed, with Ctrl held when asked; answers its time including the repaint.
double TypeKey(UINT key, bool ctrl) {
    if (ctrl)
        ui::PostInput(WM_KEYDOWN, VK_CONTROL, POINT{0, 0}, 1);
    ui::DrainQueue();
    auto start = std::chrono::steady_clock::now();
    ui::PostInput(WM_KEYDOWN, key, POINT{0, 0}, 1);
    ui::PostInput(WM_KEYUP, key, POINT{0, 0}, 1);
    ui::DrainQueue();
    double ms = Milliseconds(std::chrono::steady_clock::now() - start);
    if (ctrl)
        ui::PostInput(WM_KEYUP, VK_CONTROL, POINT{0, 0}, 1);
    ui::DrainQueue();
    return ms;
}

struct KeyCosts {
    double ctrlEnd, ctrlHome, pageDown;
};

KeyCosts TimeKeys(long rows) {
    HostWindow host;
    CUGCtrl grid;
    grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 800, 600), &host, 1);
    Fill(grid, rows, 7);
    grid.grid->SetFocus();
    ui::DrainQueue();
    std::vector<double> end, home, page;
    for (int i = 0; i < kRuns; ++i) {
        end.push_back(TypeKey(VK_END, true));
        if (grid.GetCurrentRow() != rows - 1)
            std::fprintf(stderr, "Ctrl+End did not reach the last row\n");
        home.push_back(TypeKey(VK_HOME, true));
        page.push_back(TypeKey(VK_NEXT, false));
        if (grid.GetCurrentRow() <= 0)
            std::fprintf(stderr, "Page Down did not move\n");
    }
    return {Median(end), Median(home), Median(page)};
}

struct SortCost {
    double wall, cpu;
};

SortCost TimeSort(long rows) {
    HostWindow host;
    NameGrid grid;
    grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 800, 600), &host, 1);
    std::vector<double> wall, cpu;
    for (unsigned run = 0; run < 5; ++run) {
        Fill(grid, rows, 11 + run);
        auto start = std::chrono::steady_clock::now();
        double startCpu = ThreadMilliseconds();
        grid.SortRowsBy(0, UG_SORT_ASCENDING);
        cpu.push_back(ThreadMilliseconds() - startCpu);
        wall.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        for (long r = 1; r < rows; ++r)
            if (_wcsicmp(grid.GetCellText(0, r - 1), grid.GetCellText(0, r)) > 0) {
                std::fprintf(stderr, "rows %ld and %ld out of order\n", r - 1, r);
                break;
            }
    }
    return {Median(wall), Median(cpu)};
}

void PrintSort() {
    SortCost sort = TimeSort(100000);
    std::printf("sort 100000 rows through the hook: %.1f ms (processor time %.1f ms)\n", sort.wall,
                sort.cpu);
}

} // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    if (only == "sort") {
        PrintSort();
        return 0;
    }
    KeyCosts small = TimeKeys(100);
    KeyCosts large = TimeKeys(100000);
    std::printf("100 rows: Ctrl+End %.3f ms, Ctrl+Home %.3f ms, Page Down %.3f ms\n", small.ctrlEnd,
                small.ctrlHome, small.pageDown);
    std::printf("100000 rows: Ctrl+End %.3f ms, Ctrl+Home %.3f ms, Page Down %.3f ms\n",
                large.ctrlEnd, large.ctrlHome, large.pageDown);
    std::printf("ratio 100000 / 100 rows: Ctrl+End %.2f, Ctrl+Home %.2f, Page Down %.2f\n",
                large.ctrlEnd / small.ctrlEnd, large.ctrlHome / small.ctrlHome,
                large.pageDown / small.pageDown);
    if (only != "keys")
        PrintSort();
    return 0;
}
