#include "shell/MainWindow.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <utility>

#include <aced.h>

#include "Utf8.h"
#include "ed/GrDrawLog.h"
#include "view/ViewRenderer.h"

namespace shell {

namespace {

constexpr int kLineHeight = 16;
constexpr int kCommandLines = 5; // the history shown, the prompt line included
constexpr int kCommandHeight = kCommandLines * kLineHeight + 6;
constexpr int kPickBox = 4;   // pixels around the cursor that a pick reaches
constexpr int kDragStart = 3; // pixels the mouse moves before a press becomes a drag

std::wstring Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", std::abs(value) < 1e-12 ? 0.0 : value);
    return std::wstring(text, text + std::strlen(text));
}

} // namespace

MainWindow::MainWindow(AcDbDatabase& database, const std::wstring& title, CSize viewSize,
                       bool shown)
    : database_(database), viewSize_(viewSize), scene_(database) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    CreateEx(0, L"KestrelMain", title.c_str(), style, CRect(0, 0, 200, 200), nullptr, 0);
    // The frame's thickness is the window's own: the client area is sized once it is known.
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    MoveWindow(0, 0, window.Width() - client.Width() + viewSize.cx,
               window.Height() - client.Height() + viewSize.cy + kCommandHeight, FALSE);
    viewport_.Resize(viewSize.cx, viewSize.cy);
    if (shown) {
        EnsureScene();
        ShowWindow(SW_SHOW);
        SetFocus();
    }
}

MainWindow::~MainWindow() {
    if (m_hWnd)
        DestroyWindow();
}

void MainWindow::EnsureScene() {
    if (sceneRead_)
        return;
    sceneRead_ = true;
    // The picture's memory is made ready with the scene, not on its first redraw.
    picture_.CreateCompatibleBitmap(nullptr, viewSize_.cx, viewSize_.cy);
    cairo_t* cr = cairo_create(picture_.Surface());
    cairo_paint(cr);
    cairo_destroy(cr);
    scene_.Build();
    viewport_.ZoomExtents(scene_.Extents());
    pictureStale_ = true;
}

const view::DrawingScene& MainWindow::Scene() {
    EnsureScene();
    return scene_;
}

MainWindow::Waiting MainWindow::Classify(const std::wstring& awaited) {
    if (awaited == L"Command")
        return Waiting::Command;
    if (awaited == L"Select objects")
        return Waiting::Objects;
    if (awaited == L"cursor tracking")
        return Waiting::Tracking;
    if (awaited.empty() || awaited.starts_with(L"dialog") || awaited.starts_with(L"file dialog"))
        return Waiting::Other;
    return Waiting::Point;
}

void MainWindow::Refresh(const std::wstring& awaited) {
    Waiting now = Classify(awaited);
    if (sceneRead_ && now == Waiting::Command && !lastAwaited_.empty() &&
        lastAwaited_ != L"Command") {
        // A command ended: what it added or changed shows.
        scene_.Build();
        PictureChanged();
    }
    lastAwaited_ = awaited;
    waiting_ = now;
    if (now != Waiting::Objects)
        dragFrom_.reset();
    if (m_hWnd) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void MainWindow::PictureChanged() {
    pictureStale_ = true;
    if (m_hWnd)
        InvalidateRect(ViewRect(), FALSE);
}

std::optional<std::wstring> MainWindow::NextLine() {
    if (IsWindowEnabled())
        SetFocus();
    while (lines_.empty() && !closed_) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0))
            return std::nullopt;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (lines_.empty())
        return std::nullopt;
    std::wstring line = std::move(lines_.front());
    lines_.pop_front();
    return line;
}

void MainWindow::Print(const std::wstring& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        // Prompts begin with a line break; after a line that ended already it adds nothing.
        if (c == L'\n' && i == 0 && history_.back().empty())
            continue;
        if (c == L'\n')
            history_.emplace_back();
        else
            history_.back() += c;
    }
    if (history_.size() > 200)
        history_.erase(history_.begin(), history_.end() - 200);
    if (m_hWnd)
        Invalidate(FALSE);
}

void MainWindow::ShowSelection(const std::vector<std::int64_t>& names) {
    highlighted_.clear();
    for (std::int64_t name : names)
        highlighted_.insert(static_cast<std::uint32_t>(name - 1));
    PictureChanged();
}

void MainWindow::Submit(const std::wstring& line, bool echo) {
    if (echo)
        Print(line + L"\n");
    // A cursor that moved again replaces the position not yet read.
    if (line.starts_with(L"MOVE ") && !lines_.empty() && lines_.back().starts_with(L"MOVE "))
        lines_.back() = line;
    else
        lines_.push_back(line);
}

std::wstring MainWindow::WorldText(CPoint point) const {
    view::Point2 world = viewport_.ToWorld({point.x + 0.5, point.y + 0.5});
    return Number(world.x) + L"," + Number(world.y);
}

void MainWindow::RedrawView() {
    EnsureScene();
    view::RenderScene(picture_.Surface(), scene_, viewport_, highlighted_);
    pictureStale_ = false;
}

// ---- painting ----

void MainWindow::OnPaint() {
    CPaintDC dc(this);
    PaintInto(dc);
}

void MainWindow::PaintInto(CDC& dc) {
    EnsureScene();
    if (pictureStale_)
        RedrawView();
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&picture_);
    dc.BitBlt(0, 0, viewSize_.cx, viewSize_.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    PaintOverlay(dc);
    PaintCommandLine(dc);
}

void MainWindow::PaintOverlay(CDC& dc) {
    int saved = dc.SaveDC();
    CRgn clip;
    clip.CreateRectRgnIndirect(ViewRect());
    dc.SelectClipRgn(&clip);
    if (dragFrom_ && waiting_ == Waiting::Objects) {
        // A window is drawn solid, a crossing dashed, as the direction of the drag says.
        bool window = cursor_.x >= dragFrom_->x;
        CPen pen(window ? PS_SOLID : PS_DASH, 1, window ? RGB(80, 160, 255) : RGB(80, 255, 120));
        CPen* oldPen = dc.SelectObject(&pen);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(std::min(dragFrom_->x, cursor_.x), std::min(dragFrom_->y, cursor_.y),
                     std::max(dragFrom_->x, cursor_.x) + 1, std::max(dragFrom_->y, cursor_.y) + 1);
        dc.SelectObject(oldPen);
    }
    // The editor's temporary vectors invert what lies under them.
    const auto& vectors = ed::GrDraws().OnScreen();
    if (!vectors.empty()) {
        dc.SetROP2(R2_NOT);
        view::Affine toScreen = viewport_.WorldToScreen();
        for (const ed::GrVector& v : vectors) {
            view::Point2 a = toScreen.Apply(view::Point2{v.from.x, v.from.y});
            view::Point2 b = toScreen.Apply(view::Point2{v.to.x, v.to.y});
            auto clamp = [](double c) {
                return static_cast<int>(std::clamp(c, -30000.0, 30000.0));
            };
            dc.MoveTo(clamp(a.x), clamp(a.y));
            dc.LineTo(clamp(b.x), clamp(b.y));
        }
    }
    dc.RestoreDC(saved);
}

void MainWindow::PaintCommandLine(CDC& dc) {
    CRect band(0, viewSize_.cy, viewSize_.cx, viewSize_.cy + kCommandHeight);
    dc.FillSolidRect(&band, RGB(255, 255, 255));
    dc.FillSolidRect(0, band.top, band.Width(), 1, RGB(128, 128, 128));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    std::size_t shown = std::min<std::size_t>(history_.size(), kCommandLines);
    int y = band.top + 3;
    for (std::size_t i = history_.size() - shown; i < history_.size(); ++i, y += kLineHeight) {
        bool last = i + 1 == history_.size();
        std::wstring text = history_[i] + (last ? typed_ + L"_" : L"");
        dc.TextOut(4, y, CString(text.c_str()));
    }
}

bool MainWindow::SavePicture(const std::wstring& path) {
    CRect client;
    GetClientRect(&client);
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(nullptr, client.Width(), client.Height()))
        return false;
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    PaintInto(memory);
    memory.SelectObject(old);
    cairo_surface_flush(bitmap.Surface());
    return cairo_surface_write_to_png(bitmap.Surface(), crt::ToUtf8(path).c_str()) ==
           CAIRO_STATUS_SUCCESS;
}

// ---- the mouse ----

void MainWindow::OnLButtonDown(UINT, CPoint point) {
    if (!ViewRect().PtInRect(point))
        return;
    cursor_ = point;
    switch (waiting_) {
    case Waiting::Point:
        Submit(WorldText(point));
        break;
    case Waiting::Tracking:
        Submit(L"PICK " + WorldText(point));
        break;
    case Waiting::Objects:
        dragFrom_ = point;
        SetCapture();
        break;
    default:
        break;
    }
}

void MainWindow::OnLButtonUp(UINT, CPoint point) {
    if (!dragFrom_)
        return;
    ReleaseCapture();
    cursor_ = point;
    if (std::abs(point.x - dragFrom_->x) <= kDragStart &&
        std::abs(point.y - dragFrom_->y) <= kDragStart) {
        dragFrom_.reset();
        PickAt(point);
    } else {
        EndSelectionDrag(point);
    }
    Invalidate(FALSE);
}

void MainWindow::PickAt(CPoint point) {
    EnsureScene();
    double tolerance = kPickBox / viewport_.PixelsPerUnit();
    const view::SceneItem* hit =
        scene_.Hit(viewport_.ToWorld({point.x + 0.5, point.y + 0.5}), tolerance);
    if (!hit)
        return;
    AcDbObjectId id;
    ads_name name = {static_cast<std::int64_t>(hit->slot) + 1, 0};
    wchar_t handle[32] = L"";
    if (acdbGetObjectId(id, name) == Acad::eOk)
        id.handle().getIntoAsciiBuffer(handle, 32);
    if (*handle && std::wcscmp(handle, L"0") != 0) {
        Submit(std::wstring(L"H ") + handle);
        return;
    }
    // Without a handle the pick box crosses what it touches.
    CPoint a = point - CSize(kPickBox, kPickBox), b = point + CSize(kPickBox, kPickBox);
    Submit(L"C " + WorldText(a) + L" " + WorldText(b));
}

void MainWindow::EndSelectionDrag(CPoint point) {
    CPoint from = *dragFrom_;
    dragFrom_.reset();
    bool window = point.x >= from.x;
    Submit((window ? L"W " : L"C ") + WorldText(from) + L" " + WorldText(point));
}

void MainWindow::OnRButtonUp(UINT, CPoint) {
    // The right button is Enter, as in the drawing editors people know.
    OnKeyDown(VK_RETURN, 1, 0);
}

void MainWindow::OnMouseMove(UINT, CPoint point) {
    CPoint last = cursor_;
    cursor_ = point;
    if (panFrom_) {
        viewport_.Pan(point.x - panFrom_->x, point.y - panFrom_->y);
        panFrom_ = point;
        PictureChanged();
        return;
    }
    if (dragFrom_) {
        Invalidate(FALSE);
        return;
    }
    if (waiting_ == Waiting::Tracking && ViewRect().PtInRect(point) && point != last)
        Submit(L"MOVE " + WorldText(point), false);
}

BOOL MainWindow::OnMouseWheel(UINT, short delta, CPoint point) {
    ScreenToClient(&point);
    if (!ViewRect().PtInRect(point))
        return FALSE;
    viewport_.ZoomAbout({point.x + 0.5, point.y + 0.5}, std::pow(1.25, delta / 120.0));
    PictureChanged();
    return TRUE;
}

LRESULT MainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MBUTTONDOWN) {
        panFrom_ = CPoint(lParam);
        SetCapture();
        return 0;
    }
    if (message == WM_MBUTTONUP) {
        panFrom_.reset();
        ReleaseCapture();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- the keyboard ----

void MainWindow::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
    case VK_RETURN: {
        std::wstring line = std::exchange(typed_, L"");
        if (!line.empty())
            recalled_.push_back(line);
        recall_ = recalled_.size();
        if (waiting_ == Waiting::Tracking && line.empty())
            Submit(L"ENTER");
        else
            Submit(line);
        break;
    }
    case VK_ESCAPE:
        if (!typed_.empty())
            typed_.clear();
        else if (waiting_ != Waiting::Command)
            Submit(L"ESC");
        dragFrom_.reset();
        break;
    case VK_BACK:
        if (!typed_.empty())
            typed_.pop_back();
        break;
    case VK_UP:
        if (recall_ > 0)
            typed_ = recalled_[--recall_];
        break;
    case VK_DOWN:
        if (recall_ + 1 < recalled_.size())
            typed_ = recalled_[++recall_];
        else
            recall_ = recalled_.size(), typed_.clear();
        break;
    default:
        return;
    }
    Invalidate(FALSE);
}

void MainWindow::OnChar(UINT key, UINT, UINT) {
    if (key < 32 || key == 127)
        return;
    typed_ += static_cast<wchar_t>(key);
    Invalidate(FALSE);
}

void MainWindow::OnClose() {
    // Closing the host ends its input; the run ends as a script that ends does.
    closed_ = true;
}

std::optional<std::wstring> WindowLines::Next(const std::wstring&) {
    std::optional<std::wstring> line = window_.NextLine();
    if (line)
        ++count_;
    return line;
}

} // namespace shell
