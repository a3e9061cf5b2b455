// Shows the "BOM Template" dialog for the display tests.
//   ui_show_dialog headless OUT.png   saves the dialog as rendered without a display
//   ui_show_dialog gui LOG            shows it on the display and writes what happens to LOG:
//     "ready L T R B" (the dialog's screen rectangle, once painted), "control ID L T R B",
//     "command ID" for each button pressed, "ended RESULT"; then the Find dialog:
//     "find-ready L T R B" (its edit), "find TEXT FLAGS", "done".

#include <cstdio>
#include <string>

#include <afxdlgs.h>

#include "Automation.h"
#include "MessageQueue.h"
#include "Utf8.h"
#include "sdl/SdlDisplay.h"

#include "resources/KestrelResources.h"
#include "resources/ResourceIds.h"

namespace {

FILE* g_log = nullptr;

void Log(const std::string& line) {
    std::fprintf(g_log, "%s\n", line.c_str());
    std::fflush(g_log);
}

std::string RectText(const CRect& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
           " " + std::to_string(r.bottom);
}

class ShownTemplate : public CDialog {
public:
    ShownTemplate() : CDialog(IDD_BOM_TEMPLATE) {}
    bool logEvents = false;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (logEvents)
            SetTimer(1, 500, nullptr); // painted and presented by then
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override {
        if (id != 1)
            return;
        KillTimer(1);
        CRect r;
        GetWindowRect(&r);
        Log("ready " + RectText(r));
        for (int control : {203, 205}) {
            CRect c;
            GetDlgItem(control)->GetWindowRect(&c);
            Log("control " + std::to_string(control) + " " + RectText(c));
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        UINT id = LOWORD(wParam);
        if (logEvents && HIWORD(wParam) == BN_CLICKED && id != IDOK && id != IDCANCEL)
            Log("command " + std::to_string(id));
        if (id == 205) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

// Owns the Find dialog and writes what it asks for.
class FindOwner : public CWnd {
public:
    bool done = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        static const UINT findMessage = RegisterWindowMessage(FINDMSGSTRING);
        if (message == findMessage) {
            CFindReplaceDialog* d = CFindReplaceDialog::GetNotifier(lParam);
            if (d && d->IsTerminating()) {
                done = true;
            } else if (d) {
                Log("find " + crt::ToUtf8(d->GetFindString().str()) + " " +
                    std::to_string(reinterpret_cast<FINDREPLACE*>(lParam)->Flags));
                d->SendMessage(WM_CLOSE);
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

int Headless(const char* png) {
    ShownTemplate dialog;
    struct OneShot : ui::InputSource {
        std::wstring path;
        int step = 0;
        Result NextInput(bool) override {
            if (step++ == 0)
                ui::Shot(path);
            else
                ui::CloseActive();
            return Result::Delivered;
        }
    } input;
    input.path = crt::FromUtf8(png);
    ui::SetInputSource(&input);
    dialog.DoModal();
    ui::SetInputSource(nullptr);
    return 0;
}

int Gui(const char* logPath) {
    g_log = std::fopen(logPath, "w");
    if (!g_log)
        return 2;
    std::wstring why;
    if (!ui::sdl::Start(&why)) {
        Log("no display: " + crt::ToUtf8(why));
        return 2;
    }
    ShownTemplate dialog;
    dialog.logEvents = true;
    Log("ended " + std::to_string(dialog.DoModal()));

    FindOwner owner;
    owner.CreateEx(0, L"Owner", L"Owner", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    auto* find = new CFindReplaceDialog;
    find->Create(TRUE, L"", nullptr, FR_DOWN, &owner);
    find->UpdateWindow();
    CRect edit;
    find->GetDlgItem(CFindReplaceDialog::kFindWhat)->GetWindowRect(&edit);
    Log("find-ready " + RectText(edit));
    MSG msg;
    while (!owner.done && GetMessage(&msg, nullptr, 0, 0))
        ui::PumpOne(msg);
    // The closed dialog goes with the messages still queued.
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
    owner.DestroyWindow();
    Log("done");
    ui::sdl::Stop();
    std::fclose(g_log);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    AfxSetResourceHandle(KestrelResources());
    if (argc == 3 && std::string(argv[1]) == "headless")
        return Headless(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "gui")
        return Gui(argv[2]);
    std::fprintf(stderr, "usage: ui_show_dialog headless OUT.png | gui LOG\n");
    return 2;
}
