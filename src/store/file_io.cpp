#include "store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tankora::fileio {

namespace {

std::function<bool(std::string_view)>& Hook() {
  static std::function<bool(std::string_view)> hook;
  return hook;
}

CallFaultHook& CallHook() {
  static CallFaultHook hook;
  return hook;
}

// The fault the test hook asks for at this call; None without a hook.
CallFault FaultAt(FileCall call, const std::filesystem::path& path) {
  const CallFaultHook& hook = CallHook();
  return hook ? hook(call, path) : CallFault::None;
}

CallFault FaultAt(FileCall call, int fd) {
  if (!CallHook()) return CallFault::None;
  std::error_code ec;
  const std::filesystem::path path =
      std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), ec);
  return FaultAt(call, path);
}

bool Injected(CallFault fault = CallFault::Fail) {
  errno = fault == CallFault::Full ? ENOSPC : EIO;
  return false;
}

}  // namespace

Status Failure(StoreError error, const std::string& what, const std::filesystem::path& path,
               int err) {
  return Status::Fail(error, what + " " + path.string() + ": " + ErrnoText(err));
}

Status ReadFile(const std::filesystem::path& path, std::string& out, bool missingIsEmpty) {
  out.clear();
  const int fd = OpenFd(path, O_RDONLY);
  if (fd < 0) {
    if (errno == ENOENT && missingIsEmpty) return Status::Ok();
    return Failure(StoreError::CannotOpen, "cannot open", path, errno);
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (ok) {
    out.resize(static_cast<std::size_t>(st.st_size));
    ok = PReadAll(fd, out.data(), out.size(), 0);
  }
  const int err = errno;
  CloseFd(fd);
  if (!ok) {
    out.clear();
    return Failure(StoreError::CannotOpen, "cannot read", path, err);
  }
  return Status::Ok();
}

std::string ErrnoText(int err) {
  if (err == kErrNotRegularFile) return "通常のファイルではありません (not a regular file)";
  char buf[256];
  // GNU strerror_r returns the message, which may or may not live in buf.
  return std::string(strerror_r(err, buf, sizeof buf));
}

long long FileSize(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) {
    errno = kErrNotRegularFile;
    return -1;
  }
  return static_cast<long long>(st.st_size);
}

int OpenFd(const std::filesystem::path& path, int flags, unsigned mode) {
  if ((flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0 &&
      FaultAt(FileCall::Open, path) != CallFault::None) {
    errno = EIO;
    return -1;
  }
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, static_cast<mode_t>(mode));
  } while (fd < 0 && errno == EINTR);
  if ((flags & O_DIRECTORY) != 0) return fd;
  struct stat st {};
  if (fd < 0) {
    // A pipe without a reader refuses a non-blocking open for writing.
    if (errno == ENXIO && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
      errno = kErrNotRegularFile;
    }
    return fd;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = kErrNotRegularFile;
    return -1;
  }
  return fd;
}
void CloseFd(int fd) {
  if (fd >= 0) ::close(fd);
}

bool PWriteAll(int fd, std::string_view bytes, long long offset) {
  const CallFault fault = FaultAt(FileCall::Write, fd);
  switch (fault) {
    case CallFault::None:
      break;
    case CallFault::Fail:
    case CallFault::Full:
      return Injected(fault);
    case CallFault::Tear:
      if (bytes.size() > 1) {
        (void)::pwrite(fd, bytes.data(), bytes.size() / 2, static_cast<off_t>(offset));
      }
      return Injected();
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                               static_cast<off_t>(offset + static_cast<long long>(done)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool PReadAll(int fd, char* out, std::size_t size, long long offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, out + done, size - done,
                              static_cast<off_t>(offset + static_cast<long long>(done)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool Truncate(int fd, long long size) {
  if (const CallFault f = FaultAt(FileCall::Truncate, fd); f != CallFault::None) return Injected(f);
  int rc;
  do {
    rc = ::ftruncate(fd, static_cast<off_t>(size));
  } while (rc != 0 && errno == EINTR);
  return rc == 0;
}

bool DataSync(int fd) {
  if (const CallFault f = FaultAt(FileCall::Sync, fd); f != CallFault::None) return Injected(f);
  return ::fdatasync(fd) == 0;
}

bool Sync(int fd) {
  if (const CallFault f = FaultAt(FileCall::Sync, fd); f != CallFault::None) return Injected(f);
  return ::fsync(fd) == 0;
}

bool CloseWritten(int fd) {
  if (const CallFault f = FaultAt(FileCall::Close, fd); f != CallFault::None) {
    ::close(fd);
    return Injected(f);
  }
  return ::close(fd) == 0;
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const CallFault f = FaultAt(FileCall::Rename, to); f != CallFault::None) return Injected(f);
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool Remove(const std::filesystem::path& path) {
  if (const CallFault f = FaultAt(FileCall::Remove, path); f != CallFault::None) {
    return Injected(f);
  }
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool ChangeMode(int fd, unsigned mode) {
  if (const CallFault f = FaultAt(FileCall::ChangeMode, fd); f != CallFault::None) {
    return Injected(f);
  }
  return ::fchmod(fd, static_cast<mode_t>(mode)) == 0;
}

Status SyncDirectory(const std::filesystem::path& dir) {
  const int fd = OpenFd(dir.empty() ? std::filesystem::path(".") : dir, O_RDONLY | O_DIRECTORY);
  if (fd < 0) return Failure(StoreError::WriteFailed, "cannot open folder", dir, errno);
  const bool synced = Sync(fd);
  const int err = errno;
  CloseFd(fd);
  if (!synced) return Failure(StoreError::WriteFailed, "cannot flush folder", dir, err);
  return Status::Ok();
}

std::filesystem::path ResolveLinks(const std::filesystem::path& path) {
  std::filesystem::path p = path;
  // As many hops as the system follows itself.
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec))) break;
    const std::filesystem::path link = std::filesystem::read_symlink(p, ec);
    if (ec) break;
    p = link.is_absolute() ? link : p.parent_path() / link;
  }
  return p;
}

Status ReplaceFile(const std::filesystem::path& link, std::string_view bytes,
                   std::string_view faultTag) {
  // A data file may be a link to one kept elsewhere (a NAS): the file it
  // names is replaced, beside itself, and the link keeps working. Renamed
  // over, the link itself would become a plain file.
  const std::filesystem::path target = ResolveLinks(link);
  std::filesystem::path temp = target;
  temp += ".tmp";
  const std::string tag(faultTag);

  mode_t mode = 0644;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;

  // A leftover of an earlier try is removed, not opened: opened, a link would
  // have its target overwritten.
  if (!Remove(temp)) return Failure(StoreError::WriteFailed, "cannot remove", temp, errno);
  const int fd = OpenFd(temp, O_WRONLY | O_CREAT | O_EXCL, mode);
  if (fd < 0) return Failure(StoreError::WriteFailed, "cannot create", temp, errno);
  // The umask may have narrowed the bits given to open.
  (void)ChangeMode(fd, mode);

  auto abandon = [&](const std::string& what, int err) {
    CloseFd(fd);
    (void)Remove(temp);
    return Failure(StoreError::WriteFailed, what, temp, err);
  };
  if (!PWriteAll(fd, bytes, 0)) return abandon("cannot write", errno);
  if (!Sync(fd)) return abandon("cannot flush", errno);
  if (!PassFaultPoint(tag + ":after-temp-write")) return abandon("injected failure at", EIO);
  if (!PassFaultPoint(tag + ":before-rename")) return abandon("injected failure at", EIO);
  // Flushed already: a failing close loses nothing.
  (void)CloseWritten(fd);
  if (!Rename(temp, target)) {
    const int err = errno;
    (void)Remove(temp);
    return Failure(StoreError::WriteFailed, "cannot rename over", target, err);
  }
  // The new contents are in place now, and that is what the caller is told:
  // reported as failed, a sort that did sort or a profile that was saved
  // would be a failure the file contradicts. A failed folder flush means only
  // that a power cut might bring the old whole file back.
  (void)SyncDirectory(target.parent_path());
  return Status::Ok();
}

bool PassFaultPoint(std::string_view point) {
  const auto& hook = Hook();
  return !hook || hook(point);
}

void SetFaultHook(std::function<bool(std::string_view point)> hook) { Hook() = std::move(hook); }

void SetCallFaultHook(CallFaultHook hook) { CallHook() = std::move(hook); }

std::string_view FileCallName(FileCall call) {
  switch (call) {
    case FileCall::Open: return "open";
    case FileCall::Write: return "write";
    case FileCall::Truncate: return "truncate";
    case FileCall::Sync: return "sync";
    case FileCall::Close: return "close";
    case FileCall::Rename: return "rename";
    case FileCall::Remove: return "remove";
    case FileCall::ChangeMode: return "chmod";
  }
  return "?";
}

}  // namespace tankora::fileio
