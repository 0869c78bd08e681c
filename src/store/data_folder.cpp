#include "store/data_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "store/file_io.h"

namespace tankora {

namespace {

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

}  // namespace

std::optional<std::filesystem::path> FindProgramFile(const std::filesystem::path& exeDir,
                                                     const std::filesystem::path& relative,
                                                     std::filesystem::path* expected) {
  const std::filesystem::path beside = exeDir / relative;
  const std::filesystem::path installed =
      (exeDir.parent_path() / "share" / "tankora" / relative).lexically_normal();
  std::error_code ec;
  for (const auto& candidate : {beside, installed}) {
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  if (expected) *expected = exeDir.filename() == "bin" ? installed : beside;
  return std::nullopt;
}

std::filesystem::path ResolveDataFolder(const std::optional<std::string>& cliDir,
                                        const std::filesystem::path& exeDir) {
  if (cliDir && !cliDir->empty()) return *cliDir;
  if (const char* env = std::getenv("TANKORA_DATA"); env && *env) return env;
  std::error_code ec;
  if (!exeDir.empty() && std::filesystem::is_directory(exeDir / "Data", ec)) {
    return exeDir / "Data";
  }
  std::filesystem::path base;
  // The XDG rules say a relative XDG_DATA_HOME is invalid and to be ignored.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else {
    base = HomeFolder() / ".local" / "share";
  }
  return base / "tankora" / "Data";
}

Status EnsureDataFolder(const std::filesystem::path& dir) {
  std::error_code ec;
  if (std::filesystem::is_directory(dir, ec)) return Status::Ok();
  if (std::filesystem::exists(dir, ec)) {
    return Status::Fail(StoreError::CannotOpen,
                        "データフォルダがフォルダではありません (the data folder " + dir.string() +
                            " exists but is not a folder)");
  }
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    return Status::Fail(StoreError::CannotOpen,
                        "データフォルダを作成できません (cannot create the data folder " +
                            dir.string() + ": " + ec.message() + ")");
  }
  return Status::Ok();
}

std::optional<DataLock> DataLock::Acquire(const std::filesystem::path& dataDir, Status* status) {
  const std::filesystem::path path = dataDir / kLockFileName;
  const int fd = fileio::OpenFd(path, O_RDWR | O_CREAT);
  if (fd < 0) {
    if (status) {
      *status = Status::Fail(StoreError::CannotOpen, "cannot open the lock file " + path.string() +
                                                         ": " + fileio::ErrnoText(errno));
    }
    return std::nullopt;
  }
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    const int err = errno;
    fileio::CloseFd(fd);
    if (status) {
      if (err == EWOULDBLOCK) {
        *status = Status::Fail(StoreError::Locked,
                               "このデータフォルダは別のタンコラで使用中です (data folder " +
                                   dataDir.string() + " is in use by another running タンコラ)");
      } else {
        *status = Status::Fail(StoreError::CannotOpen,
                               "cannot lock " + path.string() + ": " + fileio::ErrnoText(err));
      }
    }
    return std::nullopt;
  }
  if (status) *status = Status::Ok();
  return DataLock(fd);
}

DataLock::DataLock(DataLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

DataLock& DataLock::operator=(DataLock&& other) noexcept {
  if (this != &other) {
    fileio::CloseFd(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

DataLock::~DataLock() { fileio::CloseFd(fd_); }

}  // namespace tankora
