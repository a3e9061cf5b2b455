#include "ed/GrDrawLog.h"

namespace ed {

namespace {

bool Same(const Point3& a, const Point3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Inversion does not care which way a vector was drawn.
bool SameSegment(const GrVector& a, const GrVector& b) {
    return (Same(a.from, b.from) && Same(a.to, b.to)) || (Same(a.from, b.to) && Same(a.to, b.from));
}

} // namespace

void GrDrawLog::Draw(const GrVector& vector) {
    history_.push_back(vector);
    if (vector.colour == -1) {
        for (auto it = onScreen_.begin(); it != onScreen_.end(); ++it) {
            if (it->colour == -1 && SameSegment(*it, vector)) {
                onScreen_.erase(it);
                return;
            }
        }
    }
    onScreen_.push_back(vector);
}

void GrDrawLog::Regen() {
    history_.clear();
    onScreen_.clear();
}

GrDrawLog& GrDraws() {
    static GrDrawLog log;
    return log;
}

} // namespace ed
