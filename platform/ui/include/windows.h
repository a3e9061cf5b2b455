#pragma once
// Interim: the desktop API's types, messages, constants and GDI/USER functions, gathered from
// the current platform/ui and platform/crt headers.

#include "platform/crt/WinTypes.h"
#include "platform/ui/SysColors.h"
#include "platform/ui/WinControls.h"
#include "platform/ui/WinDefs.h"
#include "platform/ui/WinGdi.h"
#include "platform/ui/WinUser.h"
