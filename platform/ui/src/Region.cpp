#include <afxwin.h>

namespace ui {

namespace {
// Pieces of a that lie outside b (at most four).
void SubtractInto(const CRect& a, const CRect& b, std::vector<CRect>& out) {
    CRect i = a & b;
    if (i.IsRectEmpty()) {
        out.push_back(a);
        return;
    }
    if (a.top < i.top)
        out.emplace_back(a.left, a.top, a.right, i.top);
    if (i.bottom < a.bottom)
        out.emplace_back(a.left, i.bottom, a.right, a.bottom);
    if (a.left < i.left)
        out.emplace_back(a.left, i.top, i.left, i.bottom);
    if (i.right < a.right)
        out.emplace_back(i.right, i.top, a.right, i.bottom);
}
} // namespace

CRect Region::Bounds() const {
    CRect r;
    for (const CRect& x : rects_)
        r.UnionRect(&r, &x);
    return r;
}

bool Region::Contains(POINT p) const {
    for (const CRect& r : rects_)
        if (r.PtInRect(p))
            return true;
    return false;
}

bool Region::Intersects(const RECT& r) const {
    for (const CRect& x : rects_)
        if (!(x & r).IsRectEmpty())
            return true;
    return false;
}

bool Region::operator==(const Region& other) const {
    Region a = *this;
    a.Xor(other);
    return a.IsEmpty();
}

void Region::Add(const RECT& r) {
    if (CRect(r).IsRectEmpty())
        return;
    std::vector<CRect> pieces{CRect(r)};
    for (const CRect& existing : rects_) {
        std::vector<CRect> next;
        for (const CRect& p : pieces)
            SubtractInto(p, existing, next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Subtract(const RECT& r) {
    if (CRect(r).IsRectEmpty())
        return;
    std::vector<CRect> next;
    for (const CRect& x : rects_)
        SubtractInto(x, CRect(r), next);
    rects_.swap(next);
}

void Region::Add(const Region& other) {
    for (const CRect& r : other.rects_)
        Add(r);
}

void Region::Subtract(const Region& other) {
    for (const CRect& r : other.rects_)
        Subtract(r);
}

void Region::Intersect(const RECT& r) {
    std::vector<CRect> next;
    for (const CRect& x : rects_) {
        CRect i = x & r;
        if (!i.IsRectEmpty())
            next.push_back(i);
    }
    rects_.swap(next);
}

void Region::Intersect(const Region& other) {
    std::vector<CRect> next;
    for (const CRect& a : rects_)
        for (const CRect& b : other.rects_) {
            CRect i = a & b;
            if (!i.IsRectEmpty())
                next.push_back(i);
        }
    rects_.swap(next);
}

void Region::Xor(const Region& other) {
    Region onlyOther = other;
    onlyOther.Subtract(*this);
    Subtract(other);
    rects_.insert(rects_.end(), onlyOther.rects_.begin(), onlyOther.rects_.end());
}

void Region::Offset(int dx, int dy) {
    for (CRect& r : rects_)
        r.OffsetRect(dx, dy);
}

} // namespace ui
