#include "pricelist/BlockPriceDialog.h"

#include <aced.h>
#include <adslib.h>

#include "host/HostModule.h"
#include "pricelist/SettingsFiles.h"
#include "resources/ResourceIds.h"

BlockPriceDialog* currentDialog = nullptr;
CString currentPriceFile;

BlockPriceDialog::BlockPriceDialog(CWnd* parent) : CDialog(IDD_BOM_TEMPLATE, parent) {
    currentDialog = this;
}

BlockPriceDialog::~BlockPriceDialog() {
    if (currentDialog == this)
        currentDialog = nullptr;
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
    gridAttached = 0;
    // Nothing to save or to edit until a list is created or opened.
    saveButton.EnableWindow(FALSE);
    saveAsButton.EnableWindow(FALSE);
    insertRowButton.EnableWindow(FALSE);
    deleteRowButton.EnableWindow(FALSE);
    moveUpButton.EnableWindow(FALSE);
    moveDownButton.EnableWindow(FALSE);
    ReadSettings();
    return TRUE;
}

void BlockPriceDialog::ReadSettings() {
    CString widthsFile, nameFile;
    GetSettingsPaths(ModulePath(), SettingsCopy::Template, widthsFile, nameFile);
    int read[kPriceColumnCount];
    if (ReadColumnWidths(widthsFile, read, kPriceColumnCount))
        for (int col = 0; col < kPriceColumnCount; ++col)
            grid.widths[col] = read[col];
    ReadLastPriceFile(nameFile, currentPriceFile);
}

void BlockPriceDialog::WriteSettings() {
    CString widthsFile, nameFile;
    GetSettingsPaths(ModulePath(), SettingsCopy::Template, widthsFile, nameFile);
    WriteColumnWidths(widthsFile, grid.widths, kPriceColumnCount);
    WriteLastPriceFile(nameFile, currentPriceFile);
}

void BlockPriceDialog::EnableSave(BOOL enable) {
    if (saveButton.m_hWnd)
        saveButton.EnableWindow(enable);
}

void BlockPriceDialog::DisableMoveButtons() {
    moveUpButton.EnableWindow(FALSE);
    moveDownButton.EnableWindow(FALSE);
}

bool BlockPriceDialog::SavePromptApplies() {
    return grid.modified == 1 && !currentPriceFile.IsEmpty() && grid.GetRowCount() >= 1;
}

int BlockPriceDialog::SavePrompt() {
    if (!SavePromptApplies())
        return IDNO;
    return AfxMessageBox(L"Save changes to " + currentPriceFile, MB_YESNOCANCEL);
}

bool BlockPriceDialog::OfferToSave() {
    switch (SavePrompt()) {
    case IDYES:
        return grid.WritePriceFile(currentPriceFile, L"w") == 1;
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool BlockPriceDialog::AskForFile(LPCTSTR title, LPCTSTR defaultFile, int flags, CString& path) {
    resbuf result{};
    if (acedGetFileD(title, defaultFile, L"prc", flags, &result) != RTNORM)
        return false;
    path = result.resval.rstring;
    acad_free(result.resval.rstring);
    return true;
}

void BlockPriceDialog::AttachGridOnce() {
    if (gridAttached)
        return;
    gridAttached = grid.AttachGrid(this, IDC_TEMPLATE_GRID);
    insertRowButton.EnableWindow(TRUE);
    deleteRowButton.EnableWindow(TRUE);
}

void BlockPriceDialog::NewList() {
    if (!OfferToSave())
        return;
    CString path;
    if (!AskForFile(L"New", L"", kFileDialogNewFile, path))
        return;
    currentPriceFile = path;
    fileNameLabel.SetWindowText(currentPriceFile);
    // The new file starts as the list the grid holds now (none before the first list).
    if (!grid.WritePriceFile(currentPriceFile, L"w"))
        return;
    AttachGridOnce();
    listOpen = 1;
    grid.ClearRows();
    grid.AppendNewRow();
    grid.modified = 0;
    saveButton.EnableWindow(FALSE);
    saveAsButton.EnableWindow(TRUE);
    DisableMoveButtons();
}

void BlockPriceDialog::OpenList() {
    if (!OfferToSave())
        return;
    CString path;
    if (!AskForFile(L"Open", currentPriceFile, kFileDialogExisting, path))
        return;
    AttachGridOnce();
    if (!grid.ReadPriceFile(path, L"r"))
        return;
    listOpen = 1;
    currentPriceFile = path;
    fileNameLabel.SetWindowText(currentPriceFile);
    saveAsButton.EnableWindow(TRUE);
    grid.modified = 0;
    saveButton.EnableWindow(FALSE);
    if (grid.GetRowCount() < 2)
        DisableMoveButtons();
    else // the first row became current while it was the only one: follow the whole list
        grid.OnCurrentRowMoved(grid.GetCurrentRow(), grid.GetCurrentRow());
}

void BlockPriceDialog::SaveList() {
    if (!SavePromptApplies())
        return;
    if (!grid.ValidateRows())
        return;
    if (!grid.WritePriceFile(currentPriceFile, L"w"))
        return;
    fileNameLabel.SetWindowText(currentPriceFile);
    grid.modified = 0;
    saveButton.EnableWindow(FALSE);
}

void BlockPriceDialog::SaveListAs() {
    if (listOpen != 1)
        return;
    // An incomplete row is reported before a file name is asked for.
    if (!grid.ValidateRows())
        return;
    CString path;
    if (!AskForFile(L"Save as", currentPriceFile, kFileDialogNewFile, path))
        return;
    currentPriceFile = path;
    if (!grid.WritePriceFile(currentPriceFile, L"w"))
        return;
    fileNameLabel.SetWindowText(currentPriceFile);
    grid.modified = 0;
    saveButton.EnableWindow(FALSE);
}

void BlockPriceDialog::InsertRow() {
    if (listOpen == 1)
        grid.InsertRowAfter(grid.GetCurrentRow());
}

void BlockPriceDialog::DeleteRow() {
    // Deleting is not an edit by itself; the edit that opens afterwards counts when it ends.
    if (listOpen == 1 && grid.GetCurrentRow() >= 0) {
        grid.DeleteRow(grid.GetCurrentRow());
        if (grid.GetCurrentRow() >= 0)
            grid.StartEditing(kBlockNameColumn, grid.GetCurrentRow());
    }
    if (grid.GetRowCount() < 2)
        DisableMoveButtons();
}

void BlockPriceDialog::CloseAction() {
    if (listOpen == 0) {
        EndDialog(IDCANCEL); // nothing to save and no settings to keep
        return;
    }
    // Here Yes checks the rows first: an incomplete row keeps the dialog open.
    switch (SavePrompt()) {
    case IDYES:
        if (!grid.ValidateRows() || !grid.WritePriceFile(currentPriceFile, L"w"))
            return;
        break;
    case IDNO:
        break;
    default:
        return;
    }
    grid.StoreColumnWidths();
    WriteSettings();
    EndDialog(IDCANCEL);
}

BOOL BlockPriceDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDC_TEMPLATE_INSERT_ROW:
        InsertRow();
        return TRUE;
    case IDC_TEMPLATE_DELETE_ROW:
        DeleteRow();
        return TRUE;
    case IDC_TEMPLATE_NEW:
        NewList();
        return TRUE;
    case IDC_TEMPLATE_OPEN:
        OpenList();
        return TRUE;
    case IDC_TEMPLATE_SAVE:
        SaveList();
        return TRUE;
    case IDC_TEMPLATE_SAVE_AS:
        SaveListAs();
        return TRUE;
    case IDC_TEMPLATE_CLOSE:
        CloseAction();
        return TRUE;
    case IDC_TEMPLATE_MOVE_UP:
        grid.MoveRowUp();
        return TRUE;
    case IDC_TEMPLATE_MOVE_DOWN:
        grid.MoveRowDown();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void BlockPriceDialog::OnClose() {
    CloseAction();
}

HBRUSH BlockPriceDialog::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (wnd && wnd->GetDlgCtrlID() == IDC_TEMPLATE_STATUS)
        dc->SetTextColor(kStatusTextColor);
    return brush;
}
