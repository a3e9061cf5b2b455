#include <cwchar>

#include <afxres.h>

namespace {
HINSTANCE& Current() {
    static HINSTANCE current = nullptr;
    return current;
}
} // namespace

void AfxSetResourceHandle(HINSTANCE module) {
    Current() = module;
}

HINSTANCE AfxGetResourceHandle() {
    return Current();
}

HINSTANCE AfxGetInstanceHandle() {
    return Current();
}

int LoadString(HINSTANCE module, UINT id, LPTSTR buffer, int bufferMax) {
    if (!module)
        module = Current();
    const wchar_t* text = module && module->findString ? module->findString(id) : nullptr;
    if (!text || !buffer || bufferMax <= 0)
        return 0;
    int n = static_cast<int>(std::wcslen(text));
    if (n > bufferMax - 1)
        n = bufferMax - 1;
    std::wmemcpy(buffer, text, static_cast<std::size_t>(n));
    buffer[n] = L'\0';
    return n;
}

namespace ui {
const DialogTemplate* FindDialogTemplate(UINT id) {
    HINSTANCE module = Current();
    return module && module->findDialog ? module->findDialog(id) : nullptr;
}
} // namespace ui
