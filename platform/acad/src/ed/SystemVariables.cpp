#include "ed/SystemVariables.h"

#include "AsciiCase.h"
#include "ed/DrawingLink.h"

namespace ed {

namespace {

struct IntVariable {
    const wchar_t* name;
    int defaultValue;
    bool inDrawing;
};

constexpr IntVariable kIntVariables[] = {
    {L"ATTREQ", 1, true},
    {L"CMDECHO", 1, false},
    {L"SNAPMODE", 0, true},
    {L"OSMODE", 4133, true},
};

const IntVariable* FindInt(const std::wstring& upperName) {
    for (const auto& variable : kIntVariables)
        if (upperName == variable.name)
            return &variable;
    return nullptr;
}

std::wstring FileNameOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

SystemVariables::SystemVariables() {
    Reset();
}

void SystemVariables::Reset() {
    session_.clear();
    for (const auto& variable : kIntVariables)
        session_[variable.name] = variable.defaultValue;
}

bool SystemVariables::IsKnown(const std::wstring& name) const {
    std::wstring upper = crt::UpperAZ(name);
    return upper == L"DWGNAME" || FindInt(upper);
}

std::optional<SysVarValue> SystemVariables::Get(const std::wstring& name) const {
    std::wstring upper = crt::UpperAZ(name);
    if (upper == L"DWGNAME") {
        DrawingLink* drawing = Drawing();
        return SysVarValue{true, 0, drawing ? FileNameOf(drawing->FilePath()) : L"Drawing1.dwg"};
    }
    const IntVariable* variable = FindInt(upper);
    if (!variable)
        return std::nullopt;
    if (variable->inDrawing && Drawing())
        if (auto kept = Drawing()->IntVariable(L"$" + upper))
            return SysVarValue{false, *kept, L""};
    return SysVarValue{false, session_.at(upper), L""};
}

bool SystemVariables::SetInt(const std::wstring& name, int value) {
    std::wstring upper = crt::UpperAZ(name);
    const IntVariable* variable = FindInt(upper);
    if (!variable)
        return false;
    if (variable->inDrawing && Drawing() && Drawing()->SetIntVariable(L"$" + upper, value))
        return true;
    session_[upper] = value;
    return true;
}

SystemVariables& SysVars() {
    static SystemVariables variables;
    return variables;
}

} // namespace ed
