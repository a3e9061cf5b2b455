#pragma once
// Starts the process's editor on given lines, with the command line captured.

#include <sstream>

#include "ed/EditorInput.h"
#include "ed/GrDrawLog.h"
#include "ed/SelectionSets.h"
#include "ed/SystemVariables.h"

struct EditorRun {
    std::ostringstream out, err;

    explicit EditorRun(std::vector<std::wstring> lines, ed::DrawingLink* drawing = nullptr) {
        ed::SetDrawing(drawing);
        ed::SysVars().Reset();
        ed::Selections().Clear();
        ed::GrDraws().Regen();
        ed::Input().SetStreams(&out, &err);
        ed::Input().SetVerbHandler(nullptr);
        ed::Input().Begin(std::make_unique<ed::ScriptLines>(std::move(lines), L"test"));
    }
    ~EditorRun() {
        ed::Input().Begin(nullptr);
        ed::Input().SetStreams(nullptr, nullptr);
        ed::SetDrawing(nullptr);
    }
};
