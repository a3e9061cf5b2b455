#include "view/Viewport.h"

#include <algorithm>

namespace view {

void Viewport::Resize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
}

Point2 Viewport::ToScreen(Point2 w) const {
    return {width_ / 2.0 + (w.x - centre_.x) * scale_, height_ / 2.0 - (w.y - centre_.y) * scale_};
}

Point2 Viewport::ToWorld(Point2 s) const {
    return {centre_.x + (s.x - width_ / 2.0) / scale_, centre_.y - (s.y - height_ / 2.0) / scale_};
}

Box Viewport::VisibleWorld() const {
    Box box;
    box.Add(ToWorld({0, 0}));
    box.Add(ToWorld({double(width_), double(height_)}));
    return box;
}

Affine Viewport::WorldToScreen() const {
    return Affine{scale_,
                  0,
                  0,
                  -scale_,
                  width_ / 2.0 - centre_.x * scale_,
                  height_ / 2.0 + centre_.y * scale_};
}

void Viewport::ZoomExtents(const Box& e) {
    if (e.Empty())
        return;
    centre_ = {(e.minX + e.maxX) / 2, (e.minY + e.maxY) / 2};
    double w = std::max(e.maxX - e.minX, 1e-9), h = std::max(e.maxY - e.minY, 1e-9);
    // A twentieth of the picture stays free around the drawing.
    scale_ = std::min(width_ / w, height_ / h) * 0.9;
}

void Viewport::ZoomAbout(Point2 screen, double factor) {
    if (factor <= 0)
        return;
    Point2 fixed = ToWorld(screen);
    scale_ = std::clamp(scale_ * factor, 1e-9, 1e12);
    Point2 moved = ToScreen(fixed);
    Pan(screen.x - moved.x, screen.y - moved.y);
}

void Viewport::Pan(double dx, double dy) {
    centre_.x -= dx / scale_;
    centre_.y += dy / scale_;
}

} // namespace view
