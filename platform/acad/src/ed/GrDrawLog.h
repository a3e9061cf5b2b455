#pragma once
// The temporary vectors drawn with acedGrDraw. Vectors in colour -1 invert the screen, so one
// drawn twice (in either direction) is gone; other vectors stay until the next regeneration.

#include <cstddef>
#include <vector>

#include "ed/ScriptLine.h"

namespace ed {

struct GrVector {
    Point3 from, to;
    int colour = 0;
    int highlight = 0;
};

class GrDrawLog {
public:
    void Draw(const GrVector& vector);
    // Every vector drawn since the last regeneration, in order.
    const std::vector<GrVector>& History() const { return history_; }
    // The vectors on screen now.
    const std::vector<GrVector>& OnScreen() const { return onScreen_; }
    // The next regeneration removes every temporary vector.
    void Regen();

private:
    std::vector<GrVector> history_;
    std::vector<GrVector> onScreen_;
};

GrDrawLog& GrDraws();

} // namespace ed
