#pragma once
// Interim: the class library's collection templates, from the current platform/ui headers.

#include <afxwin.h>

#include "platform/ui/CArray.h"
#include "platform/ui/CMap.h"
