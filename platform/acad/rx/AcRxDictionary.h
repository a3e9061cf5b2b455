#pragma once
// The host's system registry: service objects by name.

#include <map>
#include <memory>
#include <string>

#include "platform/acad/rx/AcRxObject.h"

// Registry keys of the services applications look up.
inline constexpr const wchar_t* ACRX_DYNAMIC_LINKER = L"DynamicLinker";
inline constexpr const wchar_t* ACRX_COMMAND_DOCK = L"ACAD_REGISTERED_COMMANDS";

class AcRxDictionary : public AcRxObject {
public:
    KESTREL_RX_DECLARE_MEMBERS(AcRxDictionary)

    // The object stored under `key`, or null.
    AcRxObject* at(const wchar_t* key) const;
    // Stores `object` (owned from then on) under `key`; gives back the object it replaced, which
    // the caller then owns.
    AcRxObject* atPut(const wchar_t* key, AcRxObject* object);
    bool has(const wchar_t* key) const { return at(key) != nullptr; }

private:
    std::map<std::wstring, std::unique_ptr<AcRxObject>> entries_;
};

// The host's system registry, holding the dynamic linker and the command stack.
AcRxDictionary* acrxSysRegistry();
