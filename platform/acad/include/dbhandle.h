#pragma once
// A drawing object's persistent handle (a hexadecimal number in the DXF file).
#include "adesk.h"
#include <cstddef>

class AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(Adesk::UInt64 value) : value_(value) {}
    explicit AcDbHandle(const ACHAR* hexText);
    bool isNull() const { return value_ == 0; }
    Adesk::UInt32 low() const { return Adesk::UInt32(value_); }
    Adesk::UInt32 high() const { return Adesk::UInt32(value_ >> 32); }
    Adesk::UInt64 value() const { return value_; }
    // Upper-case hexadecimal without leading zeros.
    bool getIntoAsciiBuffer(ACHAR* buffer, size_t size) const;
    bool operator==(const AcDbHandle& h) const { return value_ == h.value_; }
    bool operator!=(const AcDbHandle& h) const { return value_ != h.value_; }
    bool operator<(const AcDbHandle& h) const { return value_ < h.value_; }

private:
    Adesk::UInt64 value_ = 0;
};
