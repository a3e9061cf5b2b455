#pragma once
// Where the view looks: the world point at the middle of the picture and how many pixels a
// drawing unit takes. Screen y grows downwards, drawing y upwards.

#include "view/ViewShapes.h"

namespace view {

class Viewport {
public:
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    double PixelsPerUnit() const { return scale_; }

    Point2 ToScreen(Point2 world) const;
    Point2 ToWorld(Point2 screen) const;
    Box VisibleWorld() const;
    // World to screen as a transform, for drawing many points.
    Affine WorldToScreen() const;

    // Shows all of `extents` with a margin; an empty drawing keeps the view as it is.
    void ZoomExtents(const Box& extents);
    // Zooms by `factor` keeping the world point under `screen` where it is.
    void ZoomAbout(Point2 screen, double factor);
    // Moves the picture by a number of pixels.
    void Pan(double dx, double dy);

private:
    int width_ = 1, height_ = 1;
    Point2 centre_;
    double scale_ = 1;
};

} // namespace view
