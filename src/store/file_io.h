// Low-level file work shared by the store: whole writes that reach the disk,
// and the replace-by-rename that keeps a file whole across a crash.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "store/status.h"

namespace tankora::fileio {

// The errno value of a path that names something other than a regular file
// (a pipe, a device, a folder) where a data file was expected.
inline constexpr int kErrNotRegularFile = 0x7e57;

// strerror text for an errno value (and for kErrNotRegularFile).
std::string ErrnoText(int err);

// A failure as the store words it: "<what> <path>: <strerror of err>".
Status Failure(StoreError error, const std::string& what, const std::filesystem::path& path,
               int err);

// Everything the file holds, a partial record at its end included. A missing
// file is CannotOpen, or empty and ok when `missingIsEmpty`.
Status ReadFile(const std::filesystem::path& path, std::string& out, bool missingIsEmpty = false);

// Size of the file in bytes, or -1 when it cannot be looked at (errno kept)
// or is no regular file (errno kErrNotRegularFile).
long long FileSize(const std::filesystem::path& path);

// Opens `path` with open(2) flags; -1 with errno on failure. Retries EINTR.
// Unless O_DIRECTORY is given, only a regular file is opened: anything else
// fails with kErrNotRegularFile. Opens never block (a pipe named like a data
// file would hold the program until someone wrote to it).
// An open for writing is one of the calls below that change files.
int OpenFd(const std::filesystem::path& path, int flags, unsigned mode = 0644);
// Closes a file only read from, or one given up after a failure.
void CloseFd(int fd);

// --- The calls that change files --------------------------------------------
// Every call of the store that changes a file or a folder goes through one of
// these, so that the tests can fail any one of them in turn, or cut the
// machine off there, and check that the files still say what the screen said.
// Each returns false with errno on failure.

// Writes all of `bytes` at `offset` (retrying short writes).
bool PWriteAll(int fd, std::string_view bytes, long long offset);
bool Truncate(int fd, long long size);
bool DataSync(int fd);  // fdatasync
bool Sync(int fd);      // fsync
// Closes a file written to. A failure here comes after the data was flushed
// (or its flush failed already), so callers may ignore it.
bool CloseWritten(int fd);
bool Rename(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes a file; one that is not there counts as removed.
bool Remove(const std::filesystem::path& path);
bool ChangeMode(int fd, unsigned mode);
// Reads exactly `size` bytes at `offset`; false with errno (EIO when the file ended early).
bool PReadAll(int fd, char* out, std::size_t size, long long offset);

// fsync of a folder, so a created or renamed entry survives a power cut.
Status SyncDirectory(const std::filesystem::path& dir);

// The file a path names once its symbolic links are followed (the path
// itself when it is no link).
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Replaces `target` with `bytes`: a new file beside it ("<name>.tmp"), flushed,
// renamed over the old one, then the folder flushed. On any failure before the
// rename the old file is untouched and the temporary file removed; once
// renamed, the file is replaced and the result ok. The old file's permission
// bits carry over. A leftover "<name>.tmp" is removed first, never written
// through (it may be a link or a pipe). When `target` is a symbolic link, the
// file it names is replaced (its "<name>.tmp" beside it) and the link kept. `faultTag` names the fault points "<tag>:after-temp-write"
// and "<tag>:before-rename".
Status ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                   std::string_view faultTag);

// The test hook: a point where a multi-step write may be made to fail.
// Returns false when the installed hook says the operation must fail here.
bool PassFaultPoint(std::string_view point);
void SetFaultHook(std::function<bool(std::string_view point)> hook);

// The test hook of the calls above. The hook is asked before each call with
// the call and the file's path; Fail makes the call do nothing and fail with
// EIO, Full the same with ENOSPC, Tear makes a write land its first half and
// then fail (a power cut in the middle of it); for other calls Tear is Fail.
enum class FileCall { Open, Write, Truncate, Sync, Close, Rename, Remove, ChangeMode };
enum class CallFault { None, Fail, Full, Tear };
using CallFaultHook = std::function<CallFault(FileCall call, const std::filesystem::path& path)>;
void SetCallFaultHook(CallFaultHook hook);
std::string_view FileCallName(FileCall call);

}  // namespace tankora::fileio
