#include "shell/ReportHeadings.h"

#include <cairo.h>
#include <cstdint>

#include "Pixels.h"
#include "WindowSystem.h"

namespace shell {

std::vector<HeadingCell> VisibleHeadingCells(CWnd* heading) {
    std::vector<HeadingCell> cells;
    if (!heading || !heading->m_hWnd)
        return cells;
    ui::WindowSystem::PaintAll();
    cairo_surface_t* surface = ui::WindowSystem::Surface(heading->GetTopLevelParent());
    if (!surface)
        return cells;
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int surfaceWidth = cairo_image_surface_get_width(surface);
    const int surfaceHeight = cairo_image_surface_get_height(surface);
    CRect client;
    heading->GetClientRect(&client);
    const CPoint origin = ui::WindowSystem::ClientOriginInSurface(heading);
    // Two pixels under the top edge: below the cells' top highlight, above their titles.
    const int y = origin.y + 2;
    if (client.Height() < 5 || y < 0 || y >= surfaceHeight)
        return cells;
    const std::uint32_t highlight = ui::pixels::ToPixel(GetSysColor(COLOR_3DHILIGHT));
    const std::uint32_t shadow = ui::pixels::ToPixel(GetSysColor(COLOR_3DSHADOW));
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    bool inCell = false;
    for (int x = 0; x < client.Width() && origin.x + x < surfaceWidth; ++x) {
        if (origin.x + x < 0)
            continue;
        const std::uint32_t pixel = row[origin.x + x] & 0xFFFFFF;
        if (pixel == highlight && !inCell) {
            cells.push_back({x, x});
            inCell = true;
        } else if (pixel == shadow && inCell) {
            cells.back().right = x;
            inCell = false;
        }
    }
    if (inCell)
        cells.back().right = client.Width() - 1; // cut by the heading's right edge
    return cells;
}

CWnd* FindControlDeep(CWnd* root, int id) {
    if (!root)
        return nullptr;
    if (CWnd* direct = root->GetDlgItem(id))
        return direct;
    for (CWnd* child : root->Children())
        if (CWnd* deep = FindControlDeep(child, id))
            return deep;
    return nullptr;
}

} // namespace shell
