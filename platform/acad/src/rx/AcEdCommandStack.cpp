#include <accmd.h>

#include <algorithm>

KESTREL_RX_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject)

namespace {

bool SameName(const wchar_t* a, const wchar_t* b) {
    return _wcsicmp(a, b) == 0;
}

bool Blank(const wchar_t* text) {
    return !text || !*text;
}

} // namespace

Acad::ErrorStatus AcEdCommandStack::addCommand(const wchar_t* group, const wchar_t* globalName,
                                               const wchar_t* localName, int flags,
                                               AcRxFunctionPtr function, AcEdUIContext*, int,
                                               HINSTANCE resourceHandle, AcEdCommand** created) {
    if (Blank(group) || Blank(globalName) || Blank(localName) || !function)
        return Acad::eInvalidInput;
    for (const auto& command : commands_)
        if (SameName(command->groupName(), group) && (SameName(command->globalName(), globalName) ||
                                                      SameName(command->localName(), localName)))
            return Acad::eDuplicateKey;
    commands_.push_back(std::make_unique<AcEdCommand>(group, globalName, localName, flags, function,
                                                      resourceHandle));
    if (created)
        *created = commands_.back().get();
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const wchar_t* group, const wchar_t* globalName) {
    auto found = std::find_if(commands_.begin(), commands_.end(), [&](const auto& command) {
        return SameName(command->groupName(), group) && SameName(command->globalName(), globalName);
    });
    if (found == commands_.end())
        return Acad::eKeyNotFound;
    commands_.erase(found);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const wchar_t* group) {
    if (Blank(group))
        return Acad::eInvalidInput;
    auto removed = std::erase_if(
        commands_, [&](const auto& command) { return SameName(command->groupName(), group); });
    return removed ? Acad::eOk : Acad::eKeyNotFound;
}

namespace {

// The newest command whose name (local or global, as `nameOf` picks) is `name`.
template <class NameOf>
AcEdCommand* Newest(const std::vector<std::unique_ptr<AcEdCommand>>& commands, const wchar_t* name,
                    NameOf nameOf) {
    if (Blank(name))
        return nullptr;
    auto found = std::find_if(commands.rbegin(), commands.rend(), [&](const auto& command) {
        return SameName(nameOf(*command), name);
    });
    return found == commands.rend() ? nullptr : found->get();
}

} // namespace

AcEdCommand* AcEdCommandStack::lookupLocalCmd(const wchar_t* localName) const {
    return Newest(commands_, localName, [](const AcEdCommand& c) { return c.localName(); });
}

AcEdCommand* AcEdCommandStack::lookupGlobalCmd(const wchar_t* globalName) const {
    return Newest(commands_, globalName, [](const AcEdCommand& c) { return c.globalName(); });
}

AcEdCommand* AcEdCommandStack::lookupCmd(const wchar_t* typed) const {
    if (Blank(typed))
        return nullptr;
    if (typed[0] == L'_')
        return lookupGlobalCmd(typed + 1);
    return lookupLocalCmd(typed);
}
