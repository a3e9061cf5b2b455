#pragma once
// Entry-message codes shared by the host and the applications it loads, and the release of
// the host's application interface.

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

using AcRxFunctionPtr = void (*)();

// The application-interface release this host implements; a module built for another release
// is refused at load time.
constexpr int kAcadApiVersion = 18;
