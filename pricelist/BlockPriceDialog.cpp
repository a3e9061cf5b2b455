#include "pricelist/BlockPriceDialog.h"

#include "resources/ResourceIds.h"

BlockPriceDialog* currentDialog = nullptr;

BlockPriceDialog::BlockPriceDialog(CWnd* parent) : CDialog(IDD_BOM_TEMPLATE, parent) {
    currentDialog = this;
}

void BlockPriceDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TEMPLATE_MOVE_DOWN, moveDownButton);
    DDX_Control(dx, IDC_TEMPLATE_MOVE_UP, moveUpButton);
    DDX_Control(dx, IDC_TEMPLATE_DELETE_ROW, deleteRowButton);
    DDX_Control(dx, IDC_TEMPLATE_INSERT_ROW, insertRowButton);
    DDX_Control(dx, IDC_TEMPLATE_SAVE_AS, saveAsButton);
    DDX_Control(dx, IDC_TEMPLATE_SAVE, saveButton);
    DDX_Control(dx, IDC_TEMPLATE_FILE_NAME, fileNameLabel);
    DDX_Control(dx, IDC_TEMPLATE_STATUS, statusLine);
}

BOOL BlockPriceDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    listOpen = 0;
    // The grid shows from the start, with the one empty row a new list begins with.
    gridAttached = grid.AttachGrid(this, IDC_TEMPLATE_GRID);
    if (gridAttached) {
        grid.AppendRow();
        grid.InitRow(0);
    }
    // Nothing to save or to edit until a list is created or opened.
    saveButton.EnableWindow(FALSE);
    saveAsButton.EnableWindow(FALSE);
    insertRowButton.EnableWindow(FALSE);
    deleteRowButton.EnableWindow(FALSE);
    moveUpButton.EnableWindow(FALSE);
    moveDownButton.EnableWindow(FALSE);
    return TRUE;
}

void BlockPriceDialog::CloseAction() {
    // With no list open there is nothing to save and no settings to keep.
    EndDialog(IDCANCEL);
}

BOOL BlockPriceDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_TEMPLATE_CLOSE) {
        CloseAction();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void BlockPriceDialog::OnClose() {
    CloseAction();
}
