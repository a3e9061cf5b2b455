#pragma once
// A dialog built from a template of the current resource module (or given in memory), with
// the desktop's keyboard interface: Tab and Shift+Tab through the tab stops, Enter to the
// default push button, Esc to cancel, mnemonics, and its own modal message loop.

#include <memory>

#include "platform/ui/CWnd.h"
#include "platform/ui/DialogTemplate.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    BOOL Create(UINT templateId, CWnd* parent = nullptr); // modeless
    void EndDialog(int result);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    void MapDialogRect(LPRECT rect) const;
    CSize BaseUnits() const { return baseUnits_; }
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void NextDlgCtrl();
    void PrevDlgCtrl();
    void GotoDlgCtrl(CWnd* control);
    int RunModalLoop();
    bool IsModalRunning() const { return modalRunning_; }
    // Runs a template given in memory instead of one of the resource module.
    void SetTemplate(const ui::DialogTemplate& dialogTemplate);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFocusMovedWithin(CWnd* focus) override;

    UINT templateId_;
    CWnd* parentWnd_;

private:
    BOOL CreateFromTemplate(const ui::DialogTemplate& t, CWnd* owner);
    CWnd* FirstTabStop() const;

    std::unique_ptr<ui::DialogTemplate> ownTemplate_;
    CFont font_;
    CSize baseUnits_{6, 13};
    UINT defId_ = IDOK;
    int result_ = -1;
    bool ended_ = false;
    bool modalRunning_ = false;
    bool focusOnInit_ = true;
    CWnd* lastFocus_ = nullptr;
};

// Moves data between a dialog's controls and its members (UpdateData).
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* PrepareCtrl(int id);
    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    bool failed_ = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);

// Alert-style message boxes through the active window.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
