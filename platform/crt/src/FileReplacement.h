#pragma once
// Replacing a file's content through a temporary file beside it, so that the file is always
// either the previous one or the whole new one. Every save of the platform goes through here
// (drawings, and streams opened with "w"), and keeps the rules a user's files deserve:
// - a symbolic link stays a link: the file it points to is replaced, and its backup lies
//   beside that file;
// - the new file keeps the previous one's mode (and owner, where that is allowed);
// - a file or folder the user may not write, or something that is not a file, is refused
//   before anything is written;
// - the temporary file is created exclusively under a unique name and is removed on every
//   way that does not end in the replacement, the end of the process included;
// - a write past the process's file-size limit fails with "File too large" instead of ending
//   the process.

#include <string>
#include <sys/stat.h>

namespace crt {

class FileReplacement {
public:
    enum class Backup {
        None,
        Keep, // the previous file stays beside the new one as NAME.bak
    };

    FileReplacement() = default;
    ~FileReplacement(); // abandons a replacement that was not committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks the target and creates the temporary file; `path` is in the file system's bytes.
    // False (with errno and Failure() set, and nothing created) when the target is refused.
    bool Begin(const std::string& path, Backup backup);
    // Where the new content goes, until Commit or Abandon.
    int Descriptor() const { return fd_; }
    // Flushes the temporary file to the disk and puts it in the target's place, keeping the
    // previous file as NAME.bak when asked (not when the target itself is named NAME.bak).
    // False (with errno and Failure() set) when that failed; the target is then unchanged.
    bool Commit();
    // Drops the temporary file; the target is unchanged.
    void Abandon();

    // The file the content goes to: the target of the path, its links followed.
    const std::string& Target() const { return target_; }
    // What went wrong, in words fit for a message ("cannot write x.dxf: File too large").
    const std::string& Failure() const { return failure_; }

    // The name the previous file of `path` is kept under: the extension replaced by ".bak".
    static std::string BackupPath(const std::string& path);

private:
    bool Fail(const std::string& what, int error);
    void Release();

    std::string path_;   // as given, for messages
    std::string target_; // links followed
    std::string temporary_;
    std::string failure_;
    Backup backup_ = Backup::None;
    bool targetExists_ = false;
    int fd_ = -1;
};

} // namespace crt
