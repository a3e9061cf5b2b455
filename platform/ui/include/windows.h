#pragma once
// The desktop's services for windowing code: types and handles, base services, graphics, the
// user interface and the common dialogs' structures.

#include <commdlg.h>
#include <winbase.h>
#include <windef.h>
#include <wingdi.h>
#include <winuser.h>
