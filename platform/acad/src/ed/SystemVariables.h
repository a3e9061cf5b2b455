#pragma once
// The system variables the editor offers. ATTREQ, CMDECHO, SNAPMODE and OSMODE are integers;
// ATTREQ, SNAPMODE and OSMODE live in the drawing's header when the drawing keeps them there
// and in the editor session otherwise; CMDECHO always in the session; DWGNAME, the drawing's
// file name, is read-only.

#include <map>
#include <optional>
#include <string>

namespace ed {

struct SysVarValue {
    bool isText = false;
    int number = 0;
    std::wstring text;
};

class SystemVariables {
public:
    SystemVariables();
    // Nothing for an unknown name. Names compare without regard to case.
    std::optional<SysVarValue> Get(const std::wstring& name) const;
    // False (and no change) for an unknown or read-only name.
    bool SetInt(const std::wstring& name, int value);
    bool IsKnown(const std::wstring& name) const;
    // Session values back to their defaults (a new run).
    void Reset();

private:
    std::map<std::wstring, int> session_;
};

SystemVariables& SysVars();

} // namespace ed
