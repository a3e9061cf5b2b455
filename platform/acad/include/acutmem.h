#pragma once
// Release of strings that the host hands out (getName, layer, textString, ...).
#include "acadstrc.h"

Acad::ErrorStatus acutDelString(ACHAR*& string);
// A copy of text for the caller, released with acutDelString.
ACHAR* acutNewString(const ACHAR* text);
