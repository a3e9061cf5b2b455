#pragma once
// A dictionary of service objects by name.

#include <map>
#include <memory>
#include <string>

#include "rxobject.h"

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
