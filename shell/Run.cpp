#include "shell/Run.h"

#include <iostream>

#include "dbapserv.h"

#include "Clock.h"
#include "UserStore.h"
#include "Utf8.h"
#include "ed/CommandLine.h"
#include "ed/DatabaseDrawing.h"
#include "ed/DrawingLink.h"
#include "ed/EditorInput.h"
#include "ed/SelectionSets.h"
#include "ed/SystemVariables.h"
#include "rx/HostState.h"
#include "sdl/SdlDisplay.h"

#include "shell/Arguments.h"
#include "shell/BomRun.h"
#include "shell/DialogInput.h"
#include "shell/LoadedModule.h"
#include "shell/MainWindow.h"
#include "shell/ScriptFile.h"

namespace shell {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The display for as long as it lives.
class DisplayScope {
public:
    // Time is real while the display is open: a script's WAIT is a pause a person sees.
    bool Open(bool takeInput, std::wstring& why) {
        open_ = ui::sdl::Start(&why, takeInput);
        return open_;
    }
    bool IsOpen() const { return open_; }
    ~DisplayScope() {
        if (open_)
            ui::sdl::Stop();
    }

private:
    bool open_ = false;
};

std::unique_ptr<ed::LineSource> InputOf(const Arguments& arguments, std::string& error) {
    if (!arguments.script.empty()) {
        auto lines = ReadScriptFile(arguments.script, error);
        if (!lines)
            return nullptr;
        return std::make_unique<ed::ScriptLines>(std::move(*lines),
                                                 crt::FromUtf8(arguments.script));
    }
    if (!arguments.lines.empty()) {
        std::vector<std::wstring> lines;
        for (const auto& line : arguments.lines)
            lines.push_back(crt::FromUtf8(line));
        return std::make_unique<ed::ScriptLines>(std::move(lines), L"-c");
    }
    if (arguments.gui)
        return nullptr; // the main window's command line
    return std::make_unique<ed::ConsoleLines>(std::cin);
}

std::wstring WindowTitle(AcDbDatabase& database) {
    const ACHAR* path = nullptr;
    std::wstring name = database.getFilename(path) == Acad::eOk && path ? path : L"";
    std::size_t slash = name.find_last_of(L"/\\");
    return L"Kestrel - " + (slash == std::wstring::npos ? name : name.substr(slash + 1));
}

// The main window hears the command line, the selection and each wait for as long as it lives;
// with a display it is the host's main window, the dialogs' parent.
class MainWindowScope {
public:
    MainWindowScope(MainWindow& window, bool onDisplay) : onDisplay_(onDisplay) {
        ed::Input().SetPrintListener([&window](const std::wstring& text) { window.Print(text); });
        ed::Input().SetAwaitListener(
            [&window](const std::wstring& awaited) { window.Refresh(awaited); });
        ed::SetSelectionListener(
            [&window](const std::vector<std::int64_t>& names) { window.ShowSelection(names); });
        if (onDisplay_)
            SetAcadMainWindow(&window);
    }
    ~MainWindowScope() {
        if (onDisplay_)
            SetAcadMainWindow(nullptr);
        ed::SetSelectionListener(nullptr);
        ed::Input().SetAwaitListener(nullptr);
        ed::Input().SetPrintListener(nullptr);
    }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

private:
    bool onDisplay_;
};

} // namespace

int RunCommands(AcDbDatabase& database, ed::DatabaseDrawing& drawing,
                std::unique_ptr<ed::LineSource> input, const CommandRunOptions& options,
                std::string& error) {
    const std::string modulePath = options.module.empty() ? DefaultModulePath() : options.module;
    auto module = LoadedModule::Open(modulePath, error);
    if (!module)
        return ed::kExitBadInput;
    // An installed module's folder is root's: the settings the module keeps beside itself go
    // to the user's own copies of them there.
    crt::SetInstallFolder(FolderOf(modulePath));

    // The drawing is the editor's and the module's working drawing for the whole run.
    ed::SetDrawing(&drawing);
    acdbHostApplicationServices()->setWorkingDatabase(&database);
    struct Release {
        ~Release() {
            ed::SetDrawing(nullptr);
            acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        }
    } release;

    ed::SysVars().Reset();
    DialogInput dialogs(crt::FromUtf8(options.shots));
    DialogInputScope dialogInput(dialogs);
    // With --gui, or with a display and no script, the windows are real windows; without
    // a script the person at the display also gives the dialogs their input.
    DisplayScope display;
    if (options.gui || (ui::sdl::DisplayPresent() && !options.scripted)) {
        std::wstring why;
        if (!display.Open(!options.scripted, why) && options.gui) {
            error = "--gui: " + crt::ToUtf8(why);
            return ed::kExitBadInput;
        }
    }
    // Headless the main window stays in memory, for SHOT with no dialog open.
    bool shown = options.gui && display.IsOpen();
    MainWindow window(database, WindowTitle(database), shown ? CSize(1024, 640) : CSize(1280, 800),
                      shown);
    dialogs.SetMainWindow(&window);
    MainWindowScope windowScope(window, shown);
    if (!input)
        input = std::make_unique<WindowLines>(window);
    ed::Input().Begin(std::move(input));
    module->Init();
    ed::RunCommandLine();
    module->Unload();
    module.reset();
    dialogs.SetMainWindow(nullptr);
    return ed::kExitOk;
}

int Fail(int code, const std::string& message) {
    std::cerr << "kestrel: " << message << '\n';
    return code;
}

bool ReadDrawing(AcDbDatabase& database, const std::string& path, std::string& error) {
    if (database.readDxfFile(crt::FromUtf8(path).c_str()) == Acad::eOk)
        return true;
    error = "cannot read the drawing: " + crt::ToUtf8(database.lastErrorMessage());
    return false;
}

int Run(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "bom")
        return RunBom(std::vector<std::string>(args.begin() + 1, args.end()));
    std::string error;
    auto arguments = ParseArguments(args, error);
    if (!arguments)
        return Fail(ed::kExitBadInput, error + " (kestrel --help tells more)");
    if (arguments->help) {
        std::cout << UsageText();
        return ed::kExitOk;
    }
    if (arguments->version) {
        std::cout << VersionText();
        return ed::kExitOk;
    }
    AcDbDatabase database(false, true);
    if (!ReadDrawing(database, arguments->drawing, error))
        return Fail(ed::kExitBadInput, error);
    auto input = InputOf(*arguments, error);
    if (!input && !error.empty())
        return Fail(ed::kExitBadInput, error);

    ed::DatabaseDrawing drawing(database);
    CommandRunOptions options;
    options.module = arguments->module;
    options.shots = arguments->shots;
    options.gui = arguments->gui;
    options.scripted = !arguments->script.empty() || !arguments->lines.empty();
    if (int code = RunCommands(database, drawing, std::move(input), options, error))
        return Fail(code, error);

    ed::EditorInput& editor = ed::Input();
    if (editor.Stopped())
        return Fail(editor.ExitCode(), crt::ToUtf8(editor.StopMessage()));
    std::wstring why;
    if (!arguments->output.empty() && !drawing.Save(crt::FromUtf8(arguments->output), why))
        return Fail(ed::kExitBadInput,
                    "cannot save " + arguments->output + ": " + crt::ToUtf8(why));
    return ed::kExitOk;
}

} // namespace shell
