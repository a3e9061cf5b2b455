#pragma once
// The host's registered commands, in groups. A command is typed by its local name or, with a
// leading underscore, by its global name; the newest group wins when names collide.

#include <memory>
#include <string>
#include <vector>

#include <windef.h>

#include "acadstrc.h"
#include "rxdefs.h"
#include "rxregsvc.h"

class AcEdUIContext;

// Command flags of AcEdCommandStack::addCommand.
constexpr int ACRX_CMD_MODAL = 0;
constexpr int ACRX_CMD_TRANSPARENT = 1;

class AcEdCommand {
public:
    AcEdCommand(std::wstring group, std::wstring globalName, std::wstring localName, int flags,
                AcRxFunctionPtr function, HINSTANCE resourceHandle)
        : group_(std::move(group)), global_(std::move(globalName)), local_(std::move(localName)),
          flags_(flags), function_(function), resource_(resourceHandle) {}

    const wchar_t* groupName() const { return group_.c_str(); }
    const wchar_t* globalName() const { return global_.c_str(); }
    const wchar_t* localName() const { return local_.c_str(); }
    int commandFlags() const { return flags_; }
    bool isTransparent() const { return (flags_ & ACRX_CMD_TRANSPARENT) != 0; }
    AcRxFunctionPtr functionAddr() const { return function_; }
    HINSTANCE resourceHandle() const { return resource_; }

private:
    std::wstring group_, global_, local_;
    int flags_;
    AcRxFunctionPtr function_;
    HINSTANCE resource_;
};

class AcEdCommandStack : public AcRxObject {
public:
    KESTREL_RX_DECLARE_MEMBERS(AcEdCommandStack)

    // Registers a command. Names are compared without regard to case; a name already used in the
    // same group is refused (eDuplicateKey), as are empty names or a null function.
    Acad::ErrorStatus addCommand(const wchar_t* group, const wchar_t* globalName,
                                 const wchar_t* localName, int flags, AcRxFunctionPtr function,
                                 AcEdUIContext* uiContext = nullptr, int functionCode = -1,
                                 HINSTANCE resourceHandle = nullptr,
                                 AcEdCommand** created = nullptr);
    Acad::ErrorStatus removeCmd(const wchar_t* group, const wchar_t* globalName);
    // Removes every command of the group at once; eKeyNotFound when there is no such group.
    Acad::ErrorStatus removeGroup(const wchar_t* group);

    AcEdCommand* lookupLocalCmd(const wchar_t* localName) const;
    AcEdCommand* lookupGlobalCmd(const wchar_t* globalName) const;
    // What typing `name` runs: "_NAME" looks up a global name, anything else a local one.
    AcEdCommand* lookupCmd(const wchar_t* typed) const;
    std::size_t size() const { return commands_.size(); }

private:
    std::vector<std::unique_ptr<AcEdCommand>> commands_; // registration order
};

#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
