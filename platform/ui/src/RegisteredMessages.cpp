#include <map>
#include <string>

#include <windows.h>

namespace {

struct Registry {
    std::map<std::wstring, UINT> numbers;
    UINT next = 0xC000; // the desktop's range for registered messages
};

Registry& Registered() {
    static Registry registry;
    return registry;
}

} // namespace

UINT RegisterWindowMessage(LPCTSTR name) {
    if (!name || !*name)
        return 0;
    Registry& registry = Registered();
    auto [it, added] = registry.numbers.try_emplace(name, registry.next);
    if (added)
        ++registry.next;
    return it->second;
}
