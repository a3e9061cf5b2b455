#pragma once
// "BOM Template" (template 200): the price-list editor that ZRBOMT opens. It edits one price
// list at a time. It starts with no list: New, Open and Close work, and the grid appears in
// place of control 201 with the first list created or opened. Save is enabled while the list
// has unsaved edits; Close asks whether to keep them and remembers the column widths and the
// price file beside the module.

#include <afxwin.h>

#include "pricelist/CStaticEx.h"
#include "pricelist/MyCug.h"

class BlockPriceDialog : public CDialog {
public:
    explicit BlockPriceDialog(CWnd* parent = nullptr);
    ~BlockPriceDialog() override;

    BOOL OnInitDialog() override;

    // ---- actions ----
    void NewList();
    void OpenList();
    void SaveList();
    void SaveListAs();
    void InsertRow();
    void DeleteRow();
    // Close (button, title bar, Esc in the grid): with a list open, offers to save it and
    // keeps the settings; then ends the dialog.
    void CloseAction();

    void EnableSave(BOOL enable);
    // Reads the remembered column widths into the grid and the last price file.
    void ReadSettings();
    void WriteSettings();

    MyCug grid;
    CButton moveDownButton;
    CButton moveUpButton;
    CButton deleteRowButton;
    CButton insertRowButton;
    CButton saveAsButton;
    CButton saveButton;
    CStatic fileNameLabel;
    CStaticEx statusLine;
    int gridAttached = 0; // 1 once the grid window exists
    int listOpen = 0;     // 1 once a price list was created or opened in this run

    static constexpr COLORREF kStatusTextColor = RGB(255, 0, 0);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

private:
    // Offers to save the edits of the open list (only when there are edits, a file name and
    // rows). False when the action is to stop: Cancel, or a save (without the row check, as
    // New and Open ask for it) that failed.
    bool OfferToSave();
    // The question itself: IDYES, IDNO or IDCANCEL; IDNO when there is nothing to ask about.
    int SavePrompt();
    bool SavePromptApplies();
    // The grid takes over its placeholder the first time a list is created or opened.
    void AttachGridOnce();
    void DisableMoveButtons();
    // The host's file dialog; false when cancelled.
    static bool AskForFile(LPCTSTR title, LPCTSTR defaultFile, int flags, CString& path);
};

// The one template dialog while it exists; the grid's hooks reach the buttons and the status
// line through it.
extern BlockPriceDialog* currentDialog;
// The path of the current price file. It outlives the dialogs; each dialog start takes the
// last one from "filename.set" when that file exists.
extern CString currentPriceFile;
