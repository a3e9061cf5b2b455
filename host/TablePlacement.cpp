#include "host/TablePlacement.h"

#include <cmath>

#include <aced.h>

const wchar_t* const kQuietedVariables[4] = {L"ATTREQ", L"CMDECHO", L"SNAPMODE", L"OSMODE"};

namespace {

constexpr int kTrackCursor = 1;    // report cursor positions while the pointer moves
constexpr int kNoBreakMessage = 8; // no console-break message on Esc
constexpr int kEventKey = 2;
constexpr int kEventPick = 3;
constexpr int kKeyEnter = 13;
constexpr int kInvertColour = -1;

void SetPoint(ads_point p, double x, double y, double z) {
    p[0] = x;
    p[1] = y;
    p[2] = z;
}

} // namespace

void DrawRubberRectangle(const ads_point a, const ads_point b) {
    ads_point corners[5];
    SetPoint(corners[0], a[0], b[1], 0.0);
    SetPoint(corners[1], b[0], b[1], 0.0);
    SetPoint(corners[2], b[0], a[1], 0.0);
    SetPoint(corners[3], a[0], a[1], 0.0);
    SetPoint(corners[4], a[0], b[1], 0.0);
    for (int i = 0; i < 4; ++i)
        acedGrDraw(corners[i], corners[i + 1], kInvertColour, 1);
}

double DragTableCorner(const ads_point corner, double tableWidth, double tableHeight) {
    ads_point current;
    SetPoint(current, corner[0] + tableWidth, corner[1] - tableHeight, corner[2]);
    const double startWidth = std::fabs(corner[0] - current[0]);
    const double startHeight = std::fabs(corner[1] - current[1]);
    const double ratio = startWidth / startHeight;
    double lastWidth = startWidth;
    bool shown = false;

    for (;;) {
        int type = 0;
        resbuf event{};
        if (acedGrRead(kTrackCursor | kNoBreakMessage, &type, &event) == RTCAN) {
            if (shown)
                DrawRubberRectangle(corner, current);
            acutPrintf(L"\n*CANCEL*\n");
            return 1.0;
        }
        if (type == kEventKey && event.restype == RTSHORT && event.resval.rint == kKeyEnter) {
            if (shown)
                DrawRubberRectangle(corner, current);
            return 1.0;
        }
        if (type == kEventPick) {
            // The scale is that of the rectangle on screen, not of the picked point.
            if (shown)
                DrawRubberRectangle(corner, current);
            return lastWidth / startWidth;
        }
        if (event.restype != RTPOINT && event.restype != RT3DPOINT)
            continue; // other keys carry no position
        const double* q = event.resval.rpoint;
        const double dy = std::fabs(q[1] - corner[1]);
        const double dx = std::fabs(q[0] - corner[0]);
        ads_point next;
        double width;
        if (dy > dx) {
            width = dy * ratio;
            SetPoint(next, corner[0] + width, q[1], q[2]);
        } else {
            width = dx;
            SetPoint(next, q[0], corner[1] - dx / ratio, q[2]);
        }
        lastWidth = width;
        if (shown)
            DrawRubberRectangle(corner, current);
        DrawRubberRectangle(corner, next);
        SetPoint(current, next[0], next[1], next[2]);
        shown = true;
    }
}

void PlaceTableBlock(const wchar_t* tableBlockName, double tableWidth, double tableHeight) {
    resbuf saved[4] = {};
    for (int i = 0; i < 4; ++i) {
        acedGetVar(kQuietedVariables[i], &saved[i]);
        resbuf quiet{};
        acedGetVar(kQuietedVariables[i], &quiet);
        quiet.resval.rint = 0;
        acedSetVar(kQuietedVariables[i], &quiet);
    }
    auto restore = [&saved] {
        for (int i = 0; i < 4; ++i)
            acedSetVar(kQuietedVariables[i], &saved[i]);
    };

    ads_point corner = {0.0, 0.0, 0.0};
    acedInitGet(RSG_NONULL, nullptr);
    if (acedGetPoint(nullptr, L"\nUpper left corner of table: ", corner) == RTCAN) {
        restore();
        return;
    }
    acutPrintf(L"\nLower right corner (or RETURN): ");
    double scale = DragTableCorner(corner, tableWidth, tableHeight);
    acedCommand(RTSTR, L".INSERT", RTSTR, tableBlockName, RTPOINT, corner, RTREAL, scale, RTREAL,
                scale, RTSTR, L"0", RTNONE);
    restore();
}
