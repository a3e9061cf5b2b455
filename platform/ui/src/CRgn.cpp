#include <afxwin.h>

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    if (!a)
        return ERROR;
    ui::Region result = a->region_;
    switch (mode) {
    case RGN_COPY:
        break;
    case RGN_AND:
        if (!b)
            return ERROR;
        result.Intersect(b->region_);
        break;
    case RGN_OR:
        if (!b)
            return ERROR;
        result.Add(b->region_);
        break;
    case RGN_DIFF:
        if (!b)
            return ERROR;
        result.Subtract(b->region_);
        break;
    case RGN_XOR:
        if (!b)
            return ERROR;
        result.Xor(b->region_);
        break;
    default:
        return ERROR;
    }
    SetRegion(result);
    return Complexity();
}
