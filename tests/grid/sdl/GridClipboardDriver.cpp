// A grid on the real display for the clipboard tests: Ctrl+C copies the selection and
// Ctrl+V pastes, as an application's grid would offer them.
//   grid_clipboard_driver LOG
// writes to LOG: "ready" once painted, "cell C R L T R B" (screen rectangles of the first
// cells), "copied" after Ctrl+C, and after Ctrl+V "pasted", then "cell C R TEXT SELECTED" for
// every cell and "done"; it ends after the paste.

#include <cstdio>
#include <string>

#include "Utf8.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "sdl/SdlDisplay.h"

namespace {

constexpr int kCols = 4;
constexpr long kRows = 4;
FILE* g_log = nullptr;

void Log(const std::string& line) {
    std::fprintf(g_log, "%s\n", line.c_str());
    std::fflush(g_log);
}

class ClipboardGrid : public CUGCtrl {
protected:
    void OnCellKeyDown(UINT* key, int) override {
        if (GetKeyState(VK_CONTROL) >= 0)
            return;
        if (*key == 'C') {
            CopySelected();
            Log("copied");
        } else if (*key == 'V') {
            Paste();
            Log("pasted");
            for (long r = 0; r < kRows; ++r)
                for (int c = 0; c < kCols; ++c)
                    Log("cell " + std::to_string(c) + " " + std::to_string(r) + " " +
                        crt::ToUtf8(GetCellText(c, r).str()) + " " +
                        std::to_string(IsSelected(c, r) ? 1 : 0));
            Log("done");
            PostQuitMessage(0);
        }
    }
};

class Host : public CWnd {
public:
    ClipboardGrid* grid = nullptr;

protected:
    void OnTimer(UINT_PTR) override {
        KillTimer(1);
        Log("ready");
        for (long r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) {
                CRect cell;
                grid->GetCellRect(c, r, &cell);
                grid->grid->ClientToScreen(&cell);
                Log("cell " + std::to_string(c) + " " + std::to_string(r) + " " +
                    std::to_string(cell.left) + " " + std::to_string(cell.top) + " " +
                    std::to_string(cell.right) + " " + std::to_string(cell.bottom));
            }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: grid_clipboard_driver LOG\n");
        return 2;
    }
    g_log = std::fopen(argv[1], "w");
    if (!g_log)
        return 2;
    std::wstring why;
    if (!ui::sdl::Start(&why)) {
        Log("no display: " + crt::ToUtf8(why));
        return 2;
    }
    {
        Host host;
        host.CreateEx(0, L"ClipboardHost", L"Grid", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(100, 100, 500, 300), nullptr, 0);
        ClipboardGrid grid;
        host.grid = &grid;
        grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 200), &host, 1);
        grid.SetColCount(kCols);
        grid.SetRowCount(kRows);
        grid.SetMultiSelectMode(TRUE);
        const wchar_t* texts[] = {L"A", L"B", L"C", L"D"};
        for (int i = 0; i < 4; ++i)
            grid.SetCellText(i % 2, i / 2, texts[i]);
        grid.RepaintAll();
        grid.grid->SetFocus();
        host.SetTimer(1, 500, nullptr); // painted and presented by then
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        grid.DestroyWindow();
        host.DestroyWindow();
    }
    ui::sdl::Stop();
    std::fclose(g_log);
    return 0;
}
