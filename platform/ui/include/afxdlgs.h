#pragma once
// Interim: the class library's common dialogs, from the current platform/ui headers.

#include <afxwin.h>

#include "platform/ui/CFindReplaceDialog.h"
