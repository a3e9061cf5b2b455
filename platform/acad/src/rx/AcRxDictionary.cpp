
#include <accmd.h>
#include <rxdlinkr.h>

KESTREL_RX_DEFINE_MEMBERS(AcRxDictionary, AcRxObject)

AcRxObject* AcRxDictionary::at(const wchar_t* key) const {
    if (!key)
        return nullptr;
    auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : found->second.get();
}

AcRxObject* AcRxDictionary::atPut(const wchar_t* key, AcRxObject* object) {
    auto& slot = entries_[key];
    AcRxObject* previous = slot.release();
    slot.reset(object);
    return previous;
}

AcRxDictionary* acrxSysRegistry() {
    // The host's services exist from the first look-up on, for the life of the process.
    static AcRxDictionary* registry = [] {
        auto* dictionary = new AcRxDictionary;
        dictionary->atPut(ACRX_DYNAMIC_LINKER, new AcRxDynamicLinker);
        dictionary->atPut(ACRX_COMMAND_DOCK, new AcEdCommandStack);
        return dictionary;
    }();
    return registry;
}
