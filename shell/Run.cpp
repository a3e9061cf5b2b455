#include "shell/Run.h"

#include <fstream>
#include <iostream>

#include "platform/acad/ed/CommandLine.h"
#include "platform/acad/ed/DrawingLink.h"
#include "platform/acad/ed/EditorInput.h"
#include "platform/acad/ed/SystemVariables.h"
#include "platform/crt/WideText.h"
#include "shell/Arguments.h"
#include "shell/DialogInput.h"
#include "shell/LoadedModule.h"

namespace shell {

namespace {

int Fail(int code, const std::string& message) {
    std::cerr << "kestrel: " << message << '\n';
    return code;
}

std::unique_ptr<ed::LineSource> InputOf(const Arguments& arguments, std::string& error) {
    if (!arguments.script.empty()) {
        std::wstring why;
        auto script = ed::ScriptLines::FromFile(arguments.script, why);
        if (!script)
            error = crt::ToUtf8(why);
        return script;
    }
    if (!arguments.lines.empty()) {
        std::vector<std::wstring> lines;
        for (const auto& line : arguments.lines)
            lines.push_back(crt::FromUtf8(line));
        return std::make_unique<ed::ScriptLines>(std::move(lines), L"-c");
    }
    return std::make_unique<ed::ConsoleLines>(std::cin);
}

} // namespace

int Run(const std::vector<std::string>& args) {
    std::string error;
    auto arguments = ParseArguments(args, error);
    if (!arguments)
        return Fail(ed::kExitBadInput, error + " (kestrel --help tells more)");
    if (arguments->help) {
        std::cout << UsageText();
        return ed::kExitOk;
    }
    if (!std::ifstream(arguments->drawing, std::ios::binary))
        return Fail(ed::kExitBadInput, "cannot read the drawing " + arguments->drawing);
    auto input = InputOf(*arguments, error);
    if (!input)
        return Fail(ed::kExitBadInput, error);

    std::string modulePath = arguments->module.empty() ? DefaultModulePath() : arguments->module;
    auto module = LoadedModule::Open(modulePath, error);
    if (!module)
        return Fail(ed::kExitBadInput, error);

    ed::SysVars().Reset();
    ed::Input().Begin(std::move(input));
    DialogInput dialogs(crt::FromUtf8(arguments->shots));
    {
        DialogInputScope dialogInput(dialogs);
        module->Init();
        ed::RunCommandLine();
        module->Unload();
        module.reset();
    }

    ed::EditorInput& editor = ed::Input();
    if (editor.Stopped())
        return Fail(editor.ExitCode(), crt::ToUtf8(editor.StopMessage()));
    if (!arguments->output.empty()) {
        ed::DrawingLink* drawing = ed::Drawing();
        std::wstring why = L"no drawing is open";
        if (!drawing || !drawing->Save(crt::FromUtf8(arguments->output), why))
            return Fail(ed::kExitBadInput,
                        "cannot save " + arguments->output + ": " + crt::ToUtf8(why));
    }
    return ed::kExitOk;
}

} // namespace shell
