#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace {

struct Registered {
    WNDCLASS cls;
    std::wstring name;
};

std::map<std::wstring, std::unique_ptr<Registered>>& Classes() {
    static std::map<std::wstring, std::unique_ptr<Registered>> classes;
    return classes;
}

} // namespace

ATOM RegisterClass(const WNDCLASS* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || !*windowClass->lpszClassName)
        return 0;
    std::wstring name = windowClass->lpszClassName;
    if (Classes().count(name))
        return 0;
    auto entry = std::make_unique<Registered>();
    entry->cls = *windowClass;
    entry->name = name;
    entry->cls.lpszClassName = entry->name.c_str();
    Classes()[name] = std::move(entry);
    return static_cast<ATOM>(Classes().size());
}

BOOL AfxRegisterClass(WNDCLASS* windowClass) {
    WNDCLASS existing{};
    if (windowClass && GetClassInfo(windowClass->hInstance, windowClass->lpszClassName, &existing))
        return TRUE;
    return RegisterClass(windowClass) != 0;
}

BOOL GetClassInfo(HINSTANCE, LPCTSTR className, WNDCLASS* windowClass) {
    if (!className)
        return FALSE;
    auto it = Classes().find(className);
    if (it == Classes().end())
        return FALSE;
    if (windowClass)
        *windowClass = it->second->cls;
    return TRUE;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    std::wstring name = L"Afx:" + std::to_wstring(classStyle) + L":" +
                        std::to_wstring(reinterpret_cast<std::uintptr_t>(cursor)) + L":" +
                        std::to_wstring(reinterpret_cast<std::uintptr_t>(background)) + L":" +
                        std::to_wstring(reinterpret_cast<std::uintptr_t>(icon));
    if (!Classes().count(name)) {
        WNDCLASS cls{classStyle, nullptr, 0,          0,       nullptr,
                     icon,       cursor,  background, nullptr, name.c_str()};
        RegisterClass(&cls);
    }
    return Classes()[name]->name.c_str();
}

namespace ui {

HBRUSH ResolveClassBrush(HBRUSH brush) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= COLOR_MENUBAR + 1)
        return GetSysColorBrush(static_cast<int>(value) - 1);
    return brush;
}

} // namespace ui
