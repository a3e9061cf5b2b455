#include "host/Commands.h"

#include "host/CommandFrame.h"

#include <accmd.h>
#include <rxdlinkr.h>

#include "pricelist/BlockPriceDialog.h"
#include "report/ReportCommand.h"

const CommandTableEntry kCommandTable[2] = {
    {kCommandGroup, L"BlockPrice_Global", L"ZRBOMT", ACRX_CMD_MODAL, BlockPriceCommand},
    {kCommandGroup, L"CalcPrice_Global", L"ZRBOMC", ACRX_CMD_TRANSPARENT, CalcPriceCommand},
};

void BlockPriceCommand() {
    RunModalDialogFrame<BlockPriceDialog>();
}

void CalcPriceCommand() {
    RunReportCommand<CalcPriceDialog>();
}

void AddCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName,
                int flags, AcRxFunctionPtr function) {
    AcEdCommandStack* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
    commands->addCommand(group, globalName, localName, flags, function, nullptr, -1, nullptr,
                         nullptr);
}

namespace {

void InitApplication(void* appId) {
    AcRxDynamicLinker* linker = AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
    linker->unlockApplication(appId);
    linker->registerAppMDIAware(appId);
    for (const auto& entry : kCommandTable)
        AddCommand(entry.group, entry.globalName, entry.localName, entry.flags, entry.function);
}

void UnloadApplication() {
    AcEdCommandStack* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
    commands->removeGroup(kCommandGroup);
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
    switch (message) {
    case AcRx::kInitAppMsg:
        InitApplication(appId);
        break;
    case AcRx::kUnloadAppMsg:
        UnloadApplication();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return kAcadApiVersion;
}
