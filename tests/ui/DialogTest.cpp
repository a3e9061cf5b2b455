#include <gtest/gtest.h>

#include <afxwin.h>

#include "SystemServices.h"

#include "resources/KestrelResources.h"
#include "tests/ui/ScriptedInput.h"

namespace {

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// A small dialog in memory: three push buttons (the middle one default), a disabled one, a
// check box and a label.
ui::DialogTemplate SmallTemplate() {
    return ui::DialogTemplate{0,
                              L"Small",
                              0,
                              0,
                              200,
                              100,
                              DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                              L"MS Sans Serif",
                              8,
                              {
                                  {10, L"BUTTON", L"&First", 10, 10, 50, 14, kButton},
                                  {11, L"BUTTON", L"&Second", 10, 30, 50, 14,
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
                                  {12, L"BUTTON", L"Off", 10, 50, 50, 14, kButton | WS_DISABLED},
                                  {13, L"BUTTON", L"&Check", 80, 10, 60, 10,
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
                                  {14, L"STATIC", L"Label", 80, 30, 60, 8, WS_CHILD | WS_VISIBLE},
                              }};
}

class SmallDialog : public CDialog {
public:
    SmallDialog() { SetTemplate(SmallTemplate()); }
    std::vector<UINT> clicks;
    int checked = 0;
    CString label;
    std::function<void(SmallDialog&, UINT)> onClick;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Check(dx, 13, checked);
        DDX_Text(dx, 14, label);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= 10) {
            clicks.push_back(LOWORD(wParam));
            if (onClick)
                onClick(*this, LOWORD(wParam));
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

int FocusId() {
    CWnd* f = CWnd::GetFocus();
    return f ? f->GetDlgCtrlID() : 0;
}

} // namespace

TEST(Dialog, TabWalksTheTabStopsAndEnterPressesTheDefaultButton) {
    SmallDialog dlg;
    std::vector<int> focusSeen;
    auto note = [&] { focusSeen.push_back(FocusId()); };
    ScriptedInput script;
    script.Then(note)
        .Verb([] { return ui::Key(L"TAB"); })
        .Then(note)
        .Verb([] { return ui::Key(L"TAB"); })
        .Then(note) // skips the disabled button
        .Verb([] { return ui::Key(L"TAB"); })
        .Then(note) // wraps around
        .Verb([] { return ui::Key(L"SHIFT+TAB"); })
        .Then(note)
        .Verb([] { return ui::Key(L"ENTER"); }) // on the check box: the default button
        .Verb([] { return ui::Key(L"TAB"); })
        .Verb([] { return ui::Key(L"ENTER"); }) // on First: First itself
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(focusSeen, (std::vector<int>{10, 11, 13, 10, 13}));
    EXPECT_EQ(dlg.clicks, (std::vector<UINT>{11, 10}));
    EXPECT_TRUE(script.failures.empty());
    EXPECT_FALSE(ui::InputExhausted());
}

TEST(Dialog, TheFocusedPushButtonTakesTheDefaultLook) {
    SmallDialog dlg;
    UINT firstStyle = 0, secondStyle = 0, secondAfter = 0;
    auto style = [&](int id) { return dlg.GetDlgItem(id)->GetStyle() & BS_TYPEMASK; };
    ScriptedInput script;
    script
        .Then([&] {
            firstStyle = style(10);
            secondStyle = style(11);
        })
        .Verb([] { return ui::Key(L"TAB"); })
        .Verb([] { return ui::Key(L"TAB"); })
        .Then([&] { secondAfter = style(11); }) // the check box has the focus
        .Verb([] { return ui::CloseActive(); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);      // the title bar's close cancels
    EXPECT_EQ(firstStyle, BS_DEFPUSHBUTTON); // focused at the start
    EXPECT_EQ(secondStyle, BS_PUSHBUTTON);
    EXPECT_EQ(secondAfter, BS_DEFPUSHBUTTON); // back to the dialog's default
}

TEST(Dialog, ClicksMnemonicsAndDataExchange) {
    SmallDialog dlg;
    dlg.label = L"from member";
    CString labelShown;
    ScriptedInput script;
    script.Then([&] { labelShown = dlg.GetDlgItem(14)->GetWindowText(); })
        .Verb([] { return ui::Click(L"Check"); })
        .Verb([] { return ui::Key(L"ALT+F"); })
        .Verb([] { return ui::Click(L"12"); }) // disabled: refused
        .Verb([] { return ui::Click(L"&Nothing"); })
        .Verb([] {
            return ui::Mouse(L"DOWN", {5, 5}, 10);
        })
        .Verb([] {
            return ui::Mouse(L"MOVE", {500, 5}, 10);
        }) // off the button: no click
        .Verb([] {
            return ui::Mouse(L"UP", {500, 5}, 10);
        })
        .Then([&] { dlg.EndDialog(IDOK); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(labelShown, L"from member");
    EXPECT_EQ(dlg.clicks, (std::vector<UINT>{13, 10}));
    ASSERT_EQ(script.failures.size(), 2u);
    EXPECT_NE(script.failures[0].find(L"disabled"), std::wstring::npos);
    EXPECT_NE(script.failures[1].find(L"no button"), std::wstring::npos);
    // The check box was ticked by the click; OnOK is not run by EndDialog, so read it now.
    SmallDialog again;
    ScriptedInput script2;
    script2.Verb([] { return ui::Click(L"&Check"); }).Then([&] { again.OnOK(); });
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(again.checked, 1);
}

TEST(Dialog, ModalLoopsNestAndAnswerInOrder) {
    SmallDialog outer;
    int answer = 0;
    std::wstring captionInside;
    outer.onClick = [&](SmallDialog& d, UINT id) {
        if (id != 10)
            return;
        answer =
            d.MessageBox(L"Save changes to a.prc", L"Kestrel", MB_YESNOCANCEL | MB_ICONQUESTION);
        captionInside = ui::ActiveCaption();
    };
    ScriptedInput script;
    script.Verb([] { return ui::Click(L"First"); })
        .Verb([] { return ui::ExpectDialog(L"Kestrel"); })
        .Verb([] { return ui::ExpectAlert(L"Save changes to a.prc"); })
        .Verb([] { return ui::Click(L"Yes"); })
        .Verb([] { return ui::ExpectDialog(L"Small"); })
        .Verb([] { return ui::Click(L"Second"); })
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(captionInside, L"Small"); // the outer dialog is active again after the box
    EXPECT_EQ(outer.clicks, (std::vector<UINT>{10, 11}));
    EXPECT_TRUE(script.failures.empty())
        << std::string(script.failures.empty() ? "" : "see failures");
}

TEST(Dialog, MessageBoxesAnswerWithTheButtonsTheyShow) {
    struct Case {
        UINT type;
        std::function<ui::VerbResult()> act;
        int expected;
    };
    std::vector<Case> cases = {
        {MB_YESNOCANCEL, [] { return ui::Click(L"No"); }, IDNO},
        {MB_YESNOCANCEL, [] { return ui::Key(L"ESC"); }, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, [] { return ui::Key(L"ENTER"); }, IDNO},
        {MB_OK, [] { return ui::Key(L"ESC"); }, IDOK},
        {MB_OK | MB_ICONEXCLAMATION, [] { return ui::Click(L"OK"); }, IDOK},
        {MB_YESNO, [] { return ui::Key(L"N"); }, IDNO},
    };
    for (const Case& c : cases) {
        ScriptedInput script;
        script.Verb(c.act);
        EXPECT_EQ(MessageBox(nullptr, L"Question?", L"Kestrel", c.type), c.expected)
            << "type " << c.type;
    }
    // Esc does nothing in a Yes/No box; the run then ends with the box waiting.
    ui::ClearSounds();
    ScriptedInput script;
    script.Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(MessageBox(nullptr, L"Sure?", L"Question", MB_YESNO | MB_ICONQUESTION), 0);
    EXPECT_TRUE(ui::InputExhausted());
    EXPECT_EQ(ui::ExhaustedWhileWaitingFor(), L"Question");
    ASSERT_EQ(ui::Sounds().size(), 1u);
    EXPECT_EQ(ui::Sounds()[0].type, MB_ICONQUESTION);
}

TEST(Dialog, AScriptThatEndsWhileADialogWaitsNamesTheDialog) {
    AfxSetResourceHandle(KestrelResources());
    CDialog outer(IDD_BOM_TEMPLATE);
    bool innerRan = false;
    ScriptedInput script;
    script.Verb([] { return ui::ExpectDialog(L"BOM Template"); });
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(ui::ExhaustedWhileWaitingFor(), L"BOM Template");
    // Once the input has run out, later loops end at once instead of waiting forever.
    EXPECT_EQ(MessageBox(nullptr, L"late", L"Late", MB_OK), 0);
    innerRan = true;
    EXPECT_TRUE(innerRan);
    EXPECT_EQ(ui::ExhaustedWhileWaitingFor(), L"BOM Template");
    EXPECT_EQ(CWnd::GetActiveWindow(), nullptr); // nothing left open
}

TEST(Dialog, TemplatePlacesControlsInDialogUnitsOfItsFont) {
    AfxSetResourceHandle(KestrelResources());
    CDialog dlg(IDD_BOM_TEMPLATE);
    CRect close, grid, client, window;
    CSize units;
    CString statusText, label;
    UINT placeholderStyle = 0;
    ScriptedInput script;
    script
        .Then([&] {
            units = dlg.BaseUnits();
            dlg.GetDlgItem(IDC_TEMPLATE_CLOSE)->GetWindowRect(&close);
            dlg.ScreenToClient(&close);
            dlg.GetDlgItem(IDC_TEMPLATE_GRID)->GetWindowRect(&grid);
            dlg.ScreenToClient(&grid);
            dlg.GetClientRect(&client);
            dlg.GetWindowRect(&window);
            placeholderStyle = dlg.GetDlgItem(IDC_TEMPLATE_GRID)->GetStyle();
            label = dlg.GetDlgItem(-1)->GetWindowText();
        })
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // DejaVu Sans at 8 points averages 7 pixels a letter and stands 14 pixels high.
    EXPECT_EQ(units, CSize(7, 14));
    CRect expected(332, 212, 382, 226);
    dlg.MapDialogRect(&expected);
    EXPECT_EQ(close, expected);
    EXPECT_EQ(close, CRect(581, 371, 669, 396));
    EXPECT_EQ(client.Size(), CSize(MulDiv(393, 7, 4), MulDiv(248, 14, 8)));
    EXPECT_EQ(window.Width(), client.Width() + 6);        // the dialog frame
    EXPECT_EQ(window.Height(), client.Height() + 6 + 19); // and the caption
    EXPECT_TRUE(placeholderStyle & SS_SUNKEN);
    EXPECT_EQ(label, L"Current file:");
}

TEST(Dialog, BlinkingStaticOnTheVirtualClock) {
    // What the template dialog's status line does: a timer on the control flips its enabled
    // state and beeps each time the text returns.
    class Blinker : public CStatic {
    public:
        int phase = 1;

    protected:
        void OnTimer(UINT_PTR) override {
            if (phase) {
                EnableWindow(TRUE);
                phase = 0;
                Beep(100, 100);
            } else {
                EnableWindow(FALSE);
                phase = 1;
            }
        }
    };
    AfxSetResourceHandle(KestrelResources());
    CDialog dlg(IDD_BOM_TEMPLATE);
    Blinker status;
    std::vector<bool> enabled;
    ui::ClearSounds();
    ScriptedInput script;
    script
        .Then([&] {
            status.SubclassDlgItem(IDC_TEMPLATE_STATUS, &dlg);
            status.SetWindowText(L"Price is absent");
            status.SetTimer(0, 200);
        })
        .Verb([] { return ui::Wait(200); })
        .Then([&] { enabled.push_back(status.IsWindowEnabled()); })
        .Verb([] { return ui::Wait(200); })
        .Then([&] { enabled.push_back(status.IsWindowEnabled()); })
        .Verb([] { return ui::Wait(800); })
        .Then([&] { enabled.push_back(status.IsWindowEnabled()); })
        .Verb([] { return ui::ExpectText(IDC_TEMPLATE_STATUS, L"Price is absent"); })
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, false}));
    ASSERT_EQ(ui::Sounds().size(), 3u); // at 200, 600 and 1000 ms
    EXPECT_EQ(ui::Sounds()[2].time - ui::Sounds()[0].time, 800u);
    EXPECT_TRUE(script.failures.empty());
}

TEST(Dialog, TheCaptionsCloseBoxCancelsWhenPressedAndReleasedOnIt) {
    SmallDialog dlg;
    CPoint box, caption;
    ScriptedInput script;
    script
        .Then([&] {
            CRect window;
            dlg.GetWindowRect(&window);
            // The close box sits 5 pixels in from the top right corner, 16 by 14.
            box = CPoint(window.right - 5 - 8, window.top + 5 + 7);
            caption = CPoint(window.left + 30, window.top + 10);
            dlg.ScreenToClient(&box);
            dlg.ScreenToClient(&caption);
        })
        .Verb([&] { return ui::Mouse(L"DOWN", box); })
        .Verb([&] { return ui::Mouse(L"UP", caption); }) // released elsewhere: nothing
        .Then([] {})
        .Verb([&] { return ui::Mouse(L"DOWN", box); })
        .Verb([&] { return ui::Mouse(L"UP", box); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Remaining(), 0u);
    EXPECT_TRUE(dlg.clicks.empty());
}
