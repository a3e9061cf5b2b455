#pragma once
// Saving through a temporary file beside the target that is renamed over it at the end, so a
// save that fails half-way leaves the previous file as it was.

#include <functional>

#include "platform/crt/TextFile.h"

enum class SaveResult {
    Saved,
    CannotOpen,  // the temporary file could not be created
    WriteFailed, // writing, closing or renaming failed; the target is untouched
};

// Opens the temporary file with "w" (text mode), lets `write` fill it (returning false to
// abandon the save) and renames it over `path`. The temporary file never outlives the call.
SaveResult SaveAtomically(const wchar_t* path, const std::function<bool(CrtFile*)>& write);
