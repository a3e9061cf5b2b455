#pragma once
// Interim: the class library's common controls, from the current platform/ui headers.

#include <afxwin.h>

#include "platform/ui/CToolTipCtrl.h"
