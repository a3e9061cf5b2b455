#pragma once
// Generic-text names of the runtime. Everything here is built for Unicode: a TCHAR is a
// wchar_t and _T("x") is L"x". As on the desktop, this header brings in the runtime's
// wide-character functions.

#include <wincrt.h>

using TCHAR = wchar_t;
using _TCHAR = wchar_t;

#ifndef _T
#define _T(x) L##x
#endif
#ifndef _TEXT
#define _TEXT(x) L##x
#endif
