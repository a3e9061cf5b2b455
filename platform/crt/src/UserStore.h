#pragma once
// The user's own copies of the files a program keeps in its installation folder. An installed
// module's folder belongs to root, yet the module writes its settings beside itself; as the
// desktop does for such programs, a write there that the user may not make goes to a copy of
// the file in the user's store ($XDG_CONFIG_HOME/kestrel, else ~/.config/kestrel), and from
// then on the copy is the file for that user: it is what reads of the path open and what
// later writes replace. A program in a folder its user can write never gets a copy and never
// sees one: another installation's copies in the store stay that installation's.
//
// Only the installation folder (and the folders below it) is treated so: a file the user
// saves into some other folder that is not theirs is refused as before, so that nothing the
// user names lands somewhere the user does not expect.

#include <string>

#include "FileReplacement.h"

namespace crt {

// The installation folder whose refused writes go to the user's store; "" for none. A folder
// that does not exist names none.
void SetInstallFolder(const std::string& folder);

// Where the user's copies live: $XDG_CONFIG_HOME/kestrel when that is an absolute path, else
// $HOME/.config/kestrel (the home from the password database when HOME is not set).
std::string UserStoreFolder();

// The user's copy of `path` when the path lies in the installation folder and its folder is
// not the user's to write, else "". The copy keeps the path below the installation folder, so
// settings of a subfolder do not meet those of another.
std::string UserCopyPath(const std::string& path);

// Opens `path` as OpenRegularFile does, the user's copy in its place when there is one. (Only
// a replacement makes a copy: the settings are written whole.)
int OpenUserFile(const std::string& path, int flags, bool* notRegular = nullptr);

// Begins replacing `path` as `replacement.Begin` does (without a backup), the user's copy in
// its place when there is one, or a new copy when the user may not replace the file itself.
// On failure errno and the failure are those of the file itself.
bool BeginUserReplacement(FileReplacement& replacement, const std::string& path);

// Removes the user's copy of `path` when there is one (the file itself shows again), else the
// file itself; 0 or -1 with errno set, as remove does.
int RemoveUserFile(const std::string& path);

} // namespace crt
