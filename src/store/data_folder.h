// Where the Data folder is, making sure it exists, and holding it for one
// running program at a time.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "store/status.h"

namespace tankora {

// The Data folder, first match wins:
//   1. `cliDir` (the --data option), when given and not empty;
//   2. the environment variable TANKORA_DATA, when set and not empty;
//   3. a folder "Data" beside the executable, when one exists (an
//      installation copied over from another machine keeps working);
//   4. $XDG_DATA_HOME/tankora/Data, with ~/.local/share when XDG_DATA_HOME
//      is unset, empty or not absolute.
std::filesystem::path ResolveDataFolder(const std::optional<std::string>& cliDir,
                                        const std::filesystem::path& exeDir);

// A file that comes with the program ("Manual/Manual.pdf"): beside the
// executable (the build folder, an installation copied as one folder), or in
// share/tankora beside its bin folder when installed (/usr/bin/tankora,
// /usr/share/tankora/Manual/Manual.pdf). The first that exists; otherwise
// nullopt, and `expected` (when given) says where it belongs.
std::optional<std::filesystem::path> FindProgramFile(const std::filesystem::path& exeDir,
                                                     const std::filesystem::path& relative,
                                                     std::filesystem::path* expected = nullptr);

// Creates the folder (and its parents) when missing. Fails when the path
// exists but is no folder, or cannot be created.
Status EnsureDataFolder(const std::filesystem::path& dir);

// An advisory lock on "tankora.lock" inside the Data folder, held for the
// whole run by the program that writes. Released when destroyed (or when the
// process ends, however it ends). Not inherited by child processes.
class DataLock final {
 public:
  static constexpr const char* kLockFileName = "tankora.lock";

  // The lock, or nullopt with `status` saying why: Locked when another
  // running program (or another DataLock, even in this process) holds it.
  static std::optional<DataLock> Acquire(const std::filesystem::path& dataDir, Status* status);

  DataLock(DataLock&& other) noexcept;
  DataLock& operator=(DataLock&& other) noexcept;
  DataLock(const DataLock&) = delete;
  DataLock& operator=(const DataLock&) = delete;
  ~DataLock();

 private:
  explicit DataLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace tankora
