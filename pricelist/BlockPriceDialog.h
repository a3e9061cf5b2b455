#pragma once
// "BOM Template" (template 200): the price-list editor that ZRBOMT opens. It starts with no
// list open: New, Open and Close work, the row and save buttons wait for a list. The price
// grid takes over the placeholder control 201.

#include <afxwin.h>
#include "pricelist/MyCug.h"

class BlockPriceDialog : public CDialog {
public:
    explicit BlockPriceDialog(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // Close (button, title bar): with no list open the dialog just ends.
    void CloseAction();

    MyCug grid;
    int gridAttached = 0; // 1 once the grid window exists
    int listOpen = 0;     // 1 once a price list was created or opened in this run

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;

    CButton moveDownButton;
    CButton moveUpButton;
    CButton deleteRowButton;
    CButton insertRowButton;
    CButton saveAsButton;
    CButton saveButton;
    CStatic fileNameLabel;
    CStatic statusLine;
};

// The one template dialog while it exists.
extern BlockPriceDialog* currentDialog;
