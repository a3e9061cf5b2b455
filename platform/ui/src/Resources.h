#pragma once
// The resource modules behind AfxSetResourceHandle: where a dialog opened by id finds its
// template.

#include <afxres.h>

namespace ui {
const DialogTemplate* FindDialogTemplate(UINT id); // in the current resource module
} // namespace ui
