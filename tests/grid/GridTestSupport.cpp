#include "tests/grid/GridTestSupport.h"

#include <cairo.h>

#include "WindowSystem.h"

void SaveScreenShot(const std::vector<CWnd*>& bottomToTop, const std::string& name) {
    ui::WindowSystem::PaintAll();
    CRect area;
    for (CWnd* w : bottomToTop) {
        CRect r;
        w->GetWindowRect(&r);
        area.UnionRect(&area, &r);
    }
    area.InflateRect(8, 8);
    cairo_surface_t* screen =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.Width(), area.Height());
    cairo_t* cr = cairo_create(screen);
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    cairo_set_source_rgb(cr, GetRValue(desktop) / 255.0, GetGValue(desktop) / 255.0,
                         GetBValue(desktop) / 255.0);
    cairo_paint(cr);
    for (CWnd* w : bottomToTop) {
        cairo_surface_t* pixels = ui::WindowSystem::Surface(w);
        if (!pixels || !w->IsWindowVisible())
            continue;
        CRect r;
        w->GetWindowRect(&r);
        cairo_surface_flush(pixels);
        cairo_set_source_surface(cr, pixels, r.left - area.left, r.top - area.top);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_write_to_png(screen, (GridShotsDir() / (name + ".png")).string().c_str());
    cairo_surface_destroy(screen);
}
