#pragma once
// A set of pixels kept as disjoint rectangles: update regions, visible regions and clipping.

#include <vector>

#include "platform/ui/Geometry.h"

namespace ui {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r) { Add(r); }

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<CRect>& Rects() const { return rects_; }
    CRect Bounds() const;
    bool Contains(POINT p) const;
    bool Intersects(const RECT& r) const;
    bool operator==(const Region& other) const; // same pixels

    void Clear() { rects_.clear(); }
    void Add(const RECT& r);      // union
    void Subtract(const RECT& r); // difference
    void Add(const Region& other);
    void Subtract(const Region& other);
    void Intersect(const RECT& r);
    void Intersect(const Region& other);
    void Xor(const Region& other);
    void Offset(int dx, int dy);

private:
    std::vector<CRect> rects_;
};

} // namespace ui
