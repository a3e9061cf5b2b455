#pragma once
// Handle types and entry-message codes shared by the host and the applications it loads.

#include "platform/crt/WinTypes.h"

// The windowing library's handles, declared here exactly as it declares them (a window handle
// is the window, an instance handle the module's resources), so the host can name them
// without depending on the windowing library.
class CWnd;
namespace ui {
struct ResourceModule;
} // namespace ui
using HWND = CWnd*;
using HINSTANCE = const ui::ResourceModule*;

namespace AcRx {

// Messages the host sends to an application's acrxEntryPoint.
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
};

enum AppRetCode {
    kRetOK = 0,
    kRetError = 3,
};

} // namespace AcRx

// Command flags of AcEdCommandStack::addCommand.
constexpr int ACRX_CMD_MODAL = 0;
constexpr int ACRX_CMD_TRANSPARENT = 1;

using AcRxFunctionPtr = void (*)();

// The application-interface release this host implements; a module built for another release
// is refused at load time.
constexpr int kAcadApiVersion = 18;
