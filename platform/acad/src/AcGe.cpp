#include "gemat3d.h"

const AcGeVector3d AcGeVector3d::kXAxis(1, 0, 0);
const AcGeVector3d AcGeVector3d::kYAxis(0, 1, 0);
const AcGeVector3d AcGeVector3d::kZAxis(0, 0, 1);
const AcGePoint3d AcGePoint3d::kOrigin(0, 0, 0);
const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    const auto& e = m.entry;
    double nx = e[0][0] * x + e[0][1] * y + e[0][2] * z + e[0][3];
    double ny = e[1][0] * x + e[1][1] * y + e[1][2] * z + e[1][3];
    double nz = e[2][0] * x + e[2][1] * y + e[2][2] * z + e[2][3];
    x = nx;
    y = ny;
    z = nz;
    return *this;
}

AcGeMatrix3d::AcGeMatrix3d() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            entry[r][c] = r == c ? 1.0 : 0.0;
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v) {
    AcGeMatrix3d m;
    m.entry[0][3] = v.x;
    m.entry[1][3] = v.y;
    m.entry[2][3] = v.z;
    return m;
}

AcGeMatrix3d AcGeMatrix3d::scaling(const AcGeScale3d& s, const AcGePoint3d& center) {
    AcGeMatrix3d m;
    m.entry[0][0] = s.sx;
    m.entry[1][1] = s.sy;
    m.entry[2][2] = s.sz;
    m.entry[0][3] = center.x - s.sx * center.x;
    m.entry[1][3] = center.y - s.sy * center.y;
    m.entry[2][3] = center.z - s.sz * center.z;
    return m;
}

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis,
                                    const AcGePoint3d& center) {
    double len = axis.length();
    AcGeVector3d u = len > 0 ? axis * (1.0 / len) : AcGeVector3d::kZAxis;
    double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    AcGeMatrix3d r;
    r.entry[0][0] = t * u.x * u.x + c;
    r.entry[0][1] = t * u.x * u.y - s * u.z;
    r.entry[0][2] = t * u.x * u.z + s * u.y;
    r.entry[1][0] = t * u.x * u.y + s * u.z;
    r.entry[1][1] = t * u.y * u.y + c;
    r.entry[1][2] = t * u.y * u.z - s * u.x;
    r.entry[2][0] = t * u.x * u.z - s * u.y;
    r.entry[2][1] = t * u.y * u.z + s * u.x;
    r.entry[2][2] = t * u.z * u.z + c;
    AcGeVector3d toCenter(center.x, center.y, center.z);
    return translation(toCenter) * r * translation(toCenter * -1.0);
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += entry[r][k] * m.entry[k][c];
            out.entry[r][c] = sum;
        }
    return out;
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left) {
    *this = left * *this;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right) {
    *this = *this * right;
    return *this;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, double tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol)
                return false;
    return true;
}
