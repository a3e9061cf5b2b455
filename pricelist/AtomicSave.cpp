#include "pricelist/AtomicSave.h"

#include <string>

SaveResult SaveAtomically(const wchar_t* path, const std::function<bool(CrtFile*)>& write) {
    const std::wstring temporary = std::wstring(path) + L".kestrel-save";
    CrtFile* file = _wfopen(temporary.c_str(), L"w");
    if (!file)
        return SaveResult::CannotOpen;
    bool ok = write(file) && ferror(file) == 0 && fflush(file) == 0;
    ok = fclose(file) == 0 && ok;
    if (ok && crt::RenameOver(temporary.c_str(), path) == 0)
        return SaveResult::Saved;
    _wremove(temporary.c_str());
    return SaveResult::WriteFailed;
}
