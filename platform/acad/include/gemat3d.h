#pragma once
// Affine transformations in three dimensions (4x4, row-major, points as columns).
#include "gepnt3d.h"
#include "gescl3d.h"

class AcGeMatrix3d {
public:
    AcGeMatrix3d();
    static AcGeMatrix3d translation(const AcGeVector3d& v);
    static AcGeMatrix3d scaling(const AcGeScale3d& s, const AcGePoint3d& center = AcGePoint3d());
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d());
    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right);
    bool isEqualTo(const AcGeMatrix3d& m, double tol = 1e-10) const;
    static const AcGeMatrix3d kIdentity;
    double entry[4][4];
};
