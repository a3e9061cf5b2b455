#pragma once
// The frame every command of the module runs in: the module's resources are current, the
// host's main window is the parent, a dialog lives on the stack for one modal run. The
// dialog is destroyed and the resource source restored on every way out, exceptions included.

#include "host/HostModule.h"

#include <acdocman.h>
#include <aced.h>
#include <afxwin.h>

// Makes the module's resources current for as long as it lives.
class ModuleResourceScope {
public:
    ModuleResourceScope() { acDocManager->pushResourceHandle(ModuleInstance()); }
    ~ModuleResourceScope() { acDocManager->popResourceHandle(); }
    ModuleResourceScope(const ModuleResourceScope&) = delete;
    ModuleResourceScope& operator=(const ModuleResourceScope&) = delete;
};

// Constructs `Dialog` with the host's main window as parent, runs it modally and answers its
// result; the dialog is gone and the resources popped when this returns or throws.
template <class Dialog> INT_PTR RunModalDialogFrame() {
    ModuleResourceScope resources;
    CWnd* parent = CWnd::FromHandle(adsw_acadMainWnd());
    Dialog dialog(parent);
    return dialog.DoModal();
}
