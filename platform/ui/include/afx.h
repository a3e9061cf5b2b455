#pragma once
// The class library's base: the desktop services, the runtime's wide functions, strings and
// the point, size and rectangle classes.

#include <afxstr.h>
#include <atltypes.h>
#include <tchar.h>
#include <windows.h>

// A position in a collection, handed out and taken back by its iteration functions.
using POSITION = struct PositionTag*;
