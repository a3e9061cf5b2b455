#pragma once
// Basic types of the CAD host's programming interface.
#include <cstdint>

typedef wchar_t ACHAR;

namespace Adesk {
using Int8 = int8_t;
using Int16 = int16_t;
using Int32 = int32_t;
using UInt8 = uint8_t;
using UInt16 = uint16_t;
using UInt32 = uint32_t;
using UInt64 = uint64_t;
using Boolean = bool;
constexpr bool kFalse = false;
constexpr bool kTrue = true;
} // namespace Adesk
