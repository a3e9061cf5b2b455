#pragma once
// The module's commands and its entry points for the host.

#include <rxdefs.h>

inline constexpr const wchar_t* kCommandGroup = L"BlockPrice_Group";

struct CommandTableEntry {
    const wchar_t* group;
    const wchar_t* globalName;
    const wchar_t* localName;
    int flags;
    AcRxFunctionPtr function;
};

// ZRBOMT: the "BOM Template" dialog, a price-list editor.
void BlockPriceCommand();
// ZRBOMC: the bill of materials of selected block references, the "BOM Report" dialog.
void CalcPriceCommand();

// The commands in the order they are registered. (Defined out of line: an inline table would be a
// process-unique symbol, which keeps the library from ever being unloaded.)
extern const CommandTableEntry kCommandTable[2];

// Registers one command with the host's command stack; the result is not needed.
void AddCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName,
                int flags, AcRxFunctionPtr function);

extern "C" {
// The host's messages: init registers the commands, unload removes their group.
AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);
// The application-interface release the module was built for.
int acrxGetApiVersion();
}
