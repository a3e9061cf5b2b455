#include <aced.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include <afxdlgs.h>

#include "DisplayBackend.h"
#include "ed/AdsTypes.h"
#include "ed/CommandLine.h"
#include "ed/DrawingLink.h"
#include "ed/EditorInput.h"
#include "ed/GrDrawLog.h"
#include "ed/HostCommands.h"
#include "ed/SelectionSets.h"
#include "ed/SystemVariables.h"

namespace ed {

namespace {

int initGetFlags = 0;

bool IsCancel(const ScriptLine& line) {
    return line.Size() == 1 && (line.Is(0, L"CANCEL") || line.Is(0, L"ESC"));
}

// Reads an answer, running transparent commands ('NAME) typed in between.
std::optional<ScriptLine> AwaitAnswer(const std::wstring& awaited) {
    for (;;) {
        std::optional<ScriptLine> line = Input().Await(awaited);
        if (!line || !RunIfTransparent(*line))
            return line;
    }
}

// The drawing's selectable entities that the filter keeps.
EntityList SelectableThrough(const EntityFilter& keep) {
    DrawingLink* drawing = Drawing();
    if (!drawing)
        return {};
    EntityList kept = drawing->SelectableEntities();
    // Type names live as long as the drawing and are shared: one verdict per name will do.
    const char* lastType = nullptr;
    bool lastKept = false;
    std::erase_if(kept, [&](const SelectableEntity& entity) {
        if (entity.type != lastType) {
            lastType = entity.type;
            lastKept = keep.Keeps(entity);
        }
        return !lastKept;
    });
    return kept;
}

// The "Select objects" prompt, answered until an empty line: RTNORM, or RTCAN when cancelled
// or when no answer will come.
int AskForObjects(Candidates& candidates, Picked& picked) {
    for (;;) {
        Input().Print(L"\nSelect objects: ");
        std::optional<ScriptLine> line = AwaitAnswer(L"Select objects");
        if (!line || IsCancel(*line))
            return RTCAN;
        if (line->IsEmpty())
            return RTNORM;
        std::wstring message;
        auto named = EntitiesNamedBy(*line, candidates, message);
        if (!named) {
            Input().Print(message);
            continue;
        }
        std::size_t again = picked.Add(*named);
        std::wstring report = std::to_wstring(named->Count(candidates)) + L" found";
        if (again)
            report += L" (" + std::to_wstring(again) + L" duplicate)";
        Input().Print(report + L", " + std::to_wstring(picked.Total()) + L" total");
        const EntityNames names = picked.Names(candidates);
        TellSelection({names.begin(), names.end()});
    }
}

} // namespace

void ResetInitGet() {
    initGetFlags = 0;
}

void PrintOnCommandLine(const std::wstring& text) {
    Input().Print(text);
}

} // namespace ed

using namespace ed;

int acedGetFileD(const wchar_t* title, const wchar_t* defaultFile, const wchar_t* extension,
                 int flags, resbuf* result) {
    if (!result)
        return RTERROR;
    std::wstring caption = title && *title ? title : L"Select file";
    if (ui::DisplayTakesInput()) {
        // Someone sits at the display: the file chooser asks.
        CString chosen;
        if (!ui::RunFileDialog(caption.c_str(), defaultFile ? defaultFile : L"",
                               extension ? extension : L"", flags, chosen))
            return RTERROR;
        result->restype = RTSTR;
        result->resval.rstring = acad_strdup(chosen);
        return RTNORM;
    }
    Input().Print(L"\n" + caption + L" (file name or CANCEL): ");
    std::optional<ScriptLine> line = AwaitAnswer(L"file dialog \"" + caption + L"\"");
    if (!line || IsCancel(*line))
        return RTERROR;
    std::wstring path = line->Size() == 1 ? (*line)[0].text : line->Text();
    if (line->IsEmpty()) {
        if (!defaultFile || !*defaultFile)
            return RTERROR;
        path = defaultFile;
    }
    std::size_t slash = path.find_last_of(L"/\\");
    std::size_t dot = path.find_last_of(L'.');
    bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    if (!hasExtension && extension && *extension)
        path += std::wstring(L".") + extension;
    result->restype = RTSTR;
    result->resval.rstring = acad_strdup(path.c_str());
    return RTNORM;
}

int acedSSGet(const wchar_t* mode, const void*, const void*, const resbuf* filter, ads_name set) {
    if (!set)
        return RTERROR;
    EntityFilter keep;
    for (const resbuf* rb = filter; rb; rb = rb->rbnext)
        if (!IsStringGroupCode(rb->restype) || !keep.Add(rb->restype, rb->resval.rstring))
            return RTERROR;
    std::wstring modeText = mode ? mode : L"";
    bool everything = modeText == L"X" || modeText == L"_X";
    if (!everything && !modeText.empty())
        return RTERROR;
    Candidates candidates(SelectableThrough(keep), Drawing());
    Picked picked(candidates.Size());
    if (everything)
        picked.Add(Named{true, {}});
    else if (int answered = AskForObjects(candidates, picked); answered != RTNORM) {
        TellSelection({});
        return answered;
    }
    TellSelection({});
    if (picked.Total() == 0)
        return RTERROR;
    // Sets list their entities in the order the drawing holds them.
    set[0] = Selections().Add(picked.Names(candidates));
    set[1] = 0;
    return RTNORM;
}

int acedSSLength(const ads_name set, int* length) {
    const auto* names = set ? Selections().Find(set[0]) : nullptr;
    if (!names || !length)
        return RTERROR;
    *length = static_cast<int>(names->size());
    return RTNORM;
}

int acedSSName(const ads_name set, int index, ads_name entity) {
    const auto* names = set ? Selections().Find(set[0]) : nullptr;
    if (!names || !entity || index < 0 || static_cast<std::size_t>(index) >= names->size())
        return RTERROR;
    entity[0] = (*names)[static_cast<std::size_t>(index)];
    entity[1] = 0;
    return RTNORM;
}

int acedSSFree(const ads_name set) {
    return set && Selections().Free(set[0]) ? RTNORM : RTERROR;
}

int acedGetVar(const wchar_t* name, resbuf* result) {
    if (!name || !result)
        return RTERROR;
    auto value = SysVars().Get(name);
    if (!value)
        return RTERROR;
    if (value->isText) {
        result->restype = RTSTR;
        result->resval.rstring = acad_strdup(value->text.c_str());
    } else {
        result->restype = RTSHORT;
        result->resval.rint = static_cast<short>(value->number);
    }
    return RTNORM;
}

int acedSetVar(const wchar_t* name, const resbuf* value) {
    if (!name || !value)
        return RTERROR;
    int number;
    if (value->restype == RTSHORT)
        number = value->resval.rint;
    else if (value->restype == RTLONG)
        number = value->resval.rlong;
    else
        return RTERROR;
    return SysVars().SetInt(name, number) ? RTNORM : RTERROR;
}

int acedInitGet(int flags, const wchar_t*) {
    initGetFlags = flags;
    return RTNORM;
}

int acedGetPoint(const ads_point, const wchar_t* prompt, ads_point result) {
    int flags = initGetFlags;
    ResetInitGet();
    std::wstring text = prompt ? prompt : L"\nSpecify point: ";
    std::wstring awaited = TrimmedText(text);
    for (;;) {
        Input().Print(text);
        std::optional<ScriptLine> line = AwaitAnswer(awaited);
        if (!line || IsCancel(*line))
            return RTCAN;
        if (line->IsEmpty()) {
            if (flags & RSG_NONULL) {
                Input().Print(L"Point or option keyword required.");
                continue;
            }
            return RTNONE;
        }
        std::optional<Point3> point =
            line->Size() == 1 ? ParsePoint((*line)[0].text) : std::nullopt;
        if (!point) {
            Input().Print(L"Invalid point.");
            continue;
        }
        if (result) {
            result[0] = point->x;
            result[1] = point->y;
            result[2] = point->z;
        }
        return RTNORM;
    }
}

int acedGrRead(int track, int* type, resbuf* result) {
    std::wstring awaited = L"cursor tracking";
    for (;;) {
        std::optional<ScriptLine> line = AwaitAnswer(awaited);
        if (!line || IsCancel(*line))
            return RTCAN;
        std::wstring verb = line->Verb();
        if (verb == L"ENTER" && line->Size() == 1) {
            if (type)
                *type = 2;
            if (result) {
                result->restype = RTSHORT;
                result->resval.rint = 13;
            }
            return RTNORM;
        }
        if ((verb == L"MOVE" || verb == L"PICK") && line->Size() == 2) {
            if (auto point = ParsePoint((*line)[1].text)) {
                if (verb == L"MOVE" && !(track & 1))
                    continue; // positions are only reported while tracking
                if (type)
                    *type = verb == L"MOVE" ? 5 : 3;
                if (result) {
                    result->restype = RTPOINT;
                    result->resval.rpoint[0] = point->x;
                    result->resval.rpoint[1] = point->y;
                    result->resval.rpoint[2] = point->z;
                }
                return RTNORM;
            }
        }
        Input().Print(L"\nMOVE x,y, PICK x,y, ENTER or ESC expected.\n");
    }
}

int acedGrDraw(const ads_point from, const ads_point to, int colour, int highlight) {
    if (!from || !to)
        return RTERROR;
    GrDraws().Draw(GrVector{{from[0], from[1], from[2]}, {to[0], to[1], to[2]}, colour, highlight});
    return RTNORM;
}

int acedCommand(int type, ...) {
    va_list args;
    va_start(args, type);
    std::vector<CommandAnswer> answers;
    bool understood = true;
    for (; type != 0 && type != RTNONE; type = va_arg(args, int)) {
        CommandAnswer answer;
        answer.type = type;
        if (type == RTSTR) {
            const wchar_t* text = va_arg(args, const wchar_t*);
            answer.text = text ? text : L"";
        } else if (type == RTPOINT || type == RT3DPOINT) {
            const double* point = va_arg(args, const double*);
            answer.point = {point[0], point[1], point[2]};
        } else if (type == RTREAL || type == RTANG) {
            answer.real = va_arg(args, double);
        } else if (type == RTSHORT) {
            answer.real = va_arg(args, int);
        } else {
            understood = false; // the rest of the list cannot be read safely
            break;
        }
        answers.push_back(std::move(answer));
    }
    va_end(args);
    if (!understood)
        return RTERROR;
    return RunHostCommand(answers);
}

int acedCmd(const resbuf* list) {
    std::vector<CommandAnswer> answers;
    for (const resbuf* rb = list; rb; rb = rb->rbnext) {
        CommandAnswer answer;
        answer.type = rb->restype;
        if (rb->restype == RTSTR)
            answer.text = rb->resval.rstring ? rb->resval.rstring : L"";
        else if (rb->restype == RTPOINT || rb->restype == RT3DPOINT)
            answer.point = {rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]};
        else if (rb->restype == RTREAL || rb->restype == RTANG)
            answer.real = rb->resval.rreal;
        else if (rb->restype == RTSHORT)
            answer.real = rb->resval.rint;
        else
            return RTERROR;
        answers.push_back(std::move(answer));
    }
    return RunHostCommand(answers);
}

int acedAlert(const wchar_t* message) {
    Input().Alert(message ? message : L"");
    return RTNORM;
}
