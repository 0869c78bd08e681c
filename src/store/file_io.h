// Low-level file work shared by the store: whole writes that reach the disk,
// and the replace-by-rename that keeps a file whole across a crash.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "store/status.h"

namespace tankora::fileio {

// strerror text for an errno value.
std::string ErrnoText(int err);

// A failure as the store words it: "<what> <path>: <strerror of err>".
Status Failure(StoreError error, const std::string& what, const std::filesystem::path& path,
               int err);

// Everything the file holds, a partial record at its end included. A missing
// file is CannotOpen, or empty and ok when `missingIsEmpty`.
Status ReadFile(const std::filesystem::path& path, std::string& out, bool missingIsEmpty = false);

// Size of the file in bytes, or -1 when it cannot be looked at (errno kept).
long long FileSize(const std::filesystem::path& path);

// Opens `path` with open(2) flags; -1 with errno on failure. Retries EINTR.
int OpenFd(const std::filesystem::path& path, int flags, unsigned mode = 0644);
void CloseFd(int fd);

// Writes all of `bytes` at `offset` (retrying short writes); false with errno.
bool PWriteAll(int fd, std::string_view bytes, long long offset);
// Reads exactly `size` bytes at `offset`; false with errno (EIO when the file ended early).
bool PReadAll(int fd, char* out, std::size_t size, long long offset);

// fsync of a folder, so a created or renamed entry survives a power cut.
Status SyncDirectory(const std::filesystem::path& dir);

// Replaces `target` with `bytes`: a new file beside it ("<name>.tmp"), flushed,
// renamed over the old one, then the folder flushed. On any failure the old
// file is untouched and the temporary file removed. The old file's permission
// bits carry over. `faultTag` names the fault points "<tag>:after-temp-write"
// and "<tag>:before-rename".
Status ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                   std::string_view faultTag);

// The test hook: a point where a multi-step write may be made to fail.
// Returns false when the installed hook says the operation must fail here.
bool PassFaultPoint(std::string_view point);
void SetFaultHook(std::function<bool(std::string_view point)> hook);

}  // namespace tankora::fileio
