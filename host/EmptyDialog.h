#pragma once
// Stands where the module's dialogs will stand: constructed with its parent, it ends as soon
// as it runs, as a dialog closed at once does.

#include "platform/acad/rx/HostTypes.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinUser.h"
#include "resources/ResourceIds.h"

template <int TemplateId> class EmptyDialog {
public:
    explicit EmptyDialog(CWnd* parent) : parent_(parent) {}
    INT_PTR DoModal() { return IDCANCEL; }
    CWnd* Parent() const { return parent_; }
    static constexpr int kTemplateId = TemplateId;

private:
    CWnd* parent_;
};

using BlockPriceDialog = EmptyDialog<IDD_BOM_TEMPLATE>;
using CalcPriceDialog = EmptyDialog<IDD_BOM_REPORT>;
