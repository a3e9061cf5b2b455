#pragma once
// The host's system registry: the service objects applications look up by name.

#include "rxdict.h"

// Registry keys of the services applications look up.
inline constexpr const wchar_t* ACRX_DYNAMIC_LINKER = L"DynamicLinker";
inline constexpr const wchar_t* ACRX_COMMAND_DOCK = L"ACAD_REGISTERED_COMMANDS";

// The host's system registry, holding the dynamic linker and the command stack.
AcRxDictionary* acrxSysRegistry();
