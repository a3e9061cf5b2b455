#pragma once
// Opening a file that is only read from (or appended to) when it is a regular file. A FIFO
// would block the open until a writer comes, and a device such as /dev/zero would feed a
// reader for ever, so whatever is not a regular file (after its links are followed) is
// refused before anything could wait on it.

#include <string>

namespace crt {

// A descriptor for `path` (in the file system's bytes) opened with `flags` (O_RDONLY,
// O_WRONLY | O_APPEND, ...), or -1 with errno set. `notRegular`, when given, tells whether
// the path was refused because it names a folder, a FIFO, a device or a socket.
int OpenRegularFile(const std::string& path, int flags, bool* notRegular = nullptr);

} // namespace crt
