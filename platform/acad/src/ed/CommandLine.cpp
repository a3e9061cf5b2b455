#include "ed/CommandLine.h"

#include <algorithm>
#include <exception>
#include <vector>

#include <accmd.h>

#include "Utf8.h"
#include "ed/DrawingLink.h"
#include "ed/EditorInput.h"
#include "ed/GrDrawLog.h"
#include "ed/SelectionSets.h"

namespace ed {

namespace {

// The commands running now, the outermost first; a transparent one runs inside another.
std::vector<const AcEdCommand*> active;

void ReportProblem(const std::wstring& message) {
    Input().Err() << "kestrel: " << crt::ToUtf8(message) << '\n';
}

// What a command must leave behind: no open objects and no selection sets. Temporary vectors
// still on screen are only noted; the regeneration that follows removes them.
void CheckAfterCommand(const std::wstring& name) {
    if (DrawingLink* drawing = Drawing()) {
        auto open = drawing->OpenObjects();
        if (!open.empty()) {
            std::wstring list;
            for (const auto& object : open)
                list += L" " + object;
            Input().Stop(kExitExpectFailed, L"error: " + name + L" left " +
                                                std::to_wstring(open.size()) + L" object(s) open:" +
                                                list);
        }
    }
    if (std::size_t sets = Selections().Count()) {
        ReportProblem(L"warning: " + name + L" did not free " + std::to_wstring(sets) +
                      L" selection set(s)");
        Selections().Clear();
    }
    if (std::size_t vectors = GrDraws().OnScreen().size())
        ReportProblem(L"note: " + name + L" left " + std::to_wstring(vectors) +
                      L" temporary vector(s) on screen");
    GrDraws().Regen();
}

void RunRegistered(AcEdCommand& command) {
    std::wstring name = command.localName();
    active.push_back(&command);
    try {
        command.functionAddr()();
    } catch (const std::exception& e) {
        Input().Stop(kExitExpectFailed,
                     L"error: " + name + L" ended with an exception: " + crt::FromUtf8(e.what()));
    } catch (...) {
        Input().Stop(kExitExpectFailed, L"error: " + name + L" ended with an exception");
    }
    active.pop_back();
    if (active.empty())
        CheckAfterCommand(name);
}

void Save(const ScriptLine& line) {
    DrawingLink* drawing = Drawing();
    if (!drawing) {
        Input().Stop(kExitBadInput, Input().Where() + L": SAVE: no drawing is open");
        return;
    }
    if (line.Size() > 2) {
        Input().Stop(kExitBadInput,
                     Input().Where() +
                         L": SAVE takes one path (in double quotes if it has blanks)");
        return;
    }
    std::wstring path = line.Size() == 2 ? line[1].text : drawing->FilePath();
    std::wstring error;
    if (!drawing->Save(path, error)) {
        Input().Stop(kExitBadInput, Input().Where() + L": SAVE failed: " + error);
        return;
    }
    Input().Print(L"Saved " + path + L"\n");
}

} // namespace

bool InCommand() {
    return !active.empty();
}

void RunCommandLineEntry(const ScriptLine& line) {
    if (line.IsEmpty())
        return;
    std::wstring verb = line.Verb();
    if (verb == L"SAVE") {
        Save(line);
        return;
    }
    if (verb == L"CLICK" || verb == L"KEY" || verb == L"TYPE" || verb == L"MOUSE") {
        Input().Stop(kExitBadInput,
                     Input().Where() + L": " + line.Text() + L": no dialog or message box is open");
        return;
    }
    std::wstring typed = line[0].text;
    if (!typed.empty() && typed[0] == L'\'')
        typed.erase(0, 1);
    AcEdCommand* command = line.Size() == 1 && !line[0].quoted && acedRegCmds
                               ? acedRegCmds->lookupCmd(typed.c_str())
                               : nullptr;
    if (!command) {
        Input().Print(L"Unknown command \"" + line.Text() + L"\".  Press F1 for help.\n");
        return;
    }
    RunRegistered(*command);
}

bool RunIfTransparent(const ScriptLine& line) {
    if (line.Size() != 1 || line[0].quoted || line[0].text.size() < 2 || line[0].text[0] != L'\'')
        return false;
    std::wstring name = line[0].text.substr(1);
    AcEdCommand* command = acedRegCmds ? acedRegCmds->lookupCmd(name.c_str()) : nullptr;
    if (!command)
        Input().Print(L"Unknown command \"" + name + L"\".  Press F1 for help.\n");
    else if (!command->isTransparent())
        Input().Print(L"** That command may not be invoked transparently **\n");
    else if (std::find(active.begin(), active.end(), command) != active.end())
        Input().Print(L"** That command is already active **\n"); // a command is not re-entered
    else
        RunRegistered(*command);
    return true;
}

void RunCommandLine() {
    while (auto line = Input().AwaitCommand())
        RunCommandLineEntry(*line);
}

DrawingLink*& CurrentDrawing() {
    static DrawingLink* drawing = nullptr;
    return drawing;
}

DrawingLink* Drawing() {
    return CurrentDrawing();
}

void SetDrawing(DrawingLink* drawing) {
    CurrentDrawing() = drawing;
}

} // namespace ed
