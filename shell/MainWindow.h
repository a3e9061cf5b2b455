#pragma once
// The host's main window: the drawing's model space in a view, and under it the command line
// with its prompts, the history and the line being typed. Typed lines mean what script lines
// mean; gestures in the view become lines too: a click answers a point prompt ("x,y"), picks
// an entity for "Select objects" ("H handle") or, dragged, selects by a window (left to right,
// "W") or a crossing (right to left, "C"); while the cursor is tracked, moves and the click are
// "MOVE x,y" and "PICK x,y". The middle button pans, the wheel zooms about the cursor, the
// right button is Enter. The view shows the selection being made and the temporary vectors
// of the editor, drawn by inversion, over the drawing.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include <afxwin.h>

#include "dbmain.h"

#include "ed/LineSource.h"
#include "view/DrawingScene.h"
#include "view/Viewport.h"

namespace shell {

class MainWindow : public CWnd {
public:
    // The view takes `viewSize` pixels; the window is shown when `shown`.
    MainWindow(AcDbDatabase& database, const std::wstring& title, CSize viewSize, bool shown);
    ~MainWindow() override;

    // Brings the picture up to date before the editor waits for `awaited`: the drawing again
    // once a command has ended, the selection, the temporary vectors, the prompt.
    void Refresh(const std::wstring& awaited);
    // The next line from the person at the window; nothing once the window was closed or no
    // input can come any more.
    std::optional<std::wstring> NextLine();
    // Saves the window's picture as a PNG; false when it cannot be written.
    bool SavePicture(const std::wstring& path);

    // The command line's text as printed (prompts and messages).
    void Print(const std::wstring& text);
    void ShowSelection(const std::vector<std::int64_t>& names);

    view::Viewport& Viewport() { return viewport_; }
    // The drawing as the view shows it, read when first needed (a headless run that never
    // looks at it does not pay for it), zoomed to its extents.
    const view::DrawingScene& Scene();
    // Draws the view's picture anew now (after the viewport changed); for the benchmark.
    void RedrawView();
    CRect ViewRect() const { return CRect(0, 0, viewSize_.cx, viewSize_.cy); }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnClose() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Waiting { Command, Point, Objects, Tracking, Other };
    static Waiting Classify(const std::wstring& awaited);

    void PaintInto(CDC& dc);
    void PaintOverlay(CDC& dc);
    void PaintCommandLine(CDC& dc);
    void Submit(const std::wstring& line, bool echo = true);
    std::wstring WorldText(CPoint point) const;
    void PickAt(CPoint point);
    void EndSelectionDrag(CPoint point);
    void PictureChanged();
    void EnsureScene();

    AcDbDatabase& database_;
    CSize viewSize_;
    view::DrawingScene scene_;
    view::Viewport viewport_;
    CBitmap picture_;
    bool pictureStale_ = true;
    bool sceneRead_ = false;
    std::unordered_set<std::uint32_t> highlighted_;

    Waiting waiting_ = Waiting::Other;
    std::wstring lastAwaited_;
    std::deque<std::wstring> lines_;
    bool closed_ = false;

    std::vector<std::wstring> history_{L""}; // printed lines, the last one still open
    std::wstring typed_;
    std::vector<std::wstring> recalled_; // lines typed before, for Up and Down
    std::size_t recall_ = 0;

    std::optional<CPoint> panFrom_;
    std::optional<CPoint> dragFrom_;
    CPoint cursor_;
};

// The editor's lines from the main window.
class WindowLines : public ed::LineSource {
public:
    explicit WindowLines(MainWindow& window) : window_(window) {}
    std::optional<std::wstring> Next(const std::wstring& awaited) override;
    std::wstring Where() const override { return L"window:" + std::to_wstring(count_); }
    bool EchoesLines() const override { return false; }

private:
    MainWindow& window_;
    std::size_t count_ = 0;
};

} // namespace shell
