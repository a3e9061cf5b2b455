#pragma once
// ZRBOMC: asks for a price file, counts the selected block references, shows the report and,
// when the report ends with OK (its "Insert" built a table block), places the table.

#include "host/CommandFrame.h"
#include "report/CalcPriceDialog.h"

// Runs the report on a constructed dialog: settings, price file, count, dialog, placement.
// Any failure ends it silently or with its alert; the caller destroys the dialog.
void RunReport(CalcPriceDialog& dialog);

// The command's frame around RunReport: module resources current, the dialog on the stack
// with the host's main window as parent. `Dialog` is CalcPriceDialog in the command; tests
// may give a subclass.
template <class Dialog = CalcPriceDialog> void RunReportCommand() {
    ModuleResourceScope resources;
    Dialog dialog(CWnd::FromHandle(adsw_acadMainWnd()));
    RunReport(dialog);
}
