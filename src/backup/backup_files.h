// The files a backup consists of, and the one copy routine every direction
// uses: whole records into a temporary file beside the target, flushed, read
// back and compared, and only then renamed into place.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "store/record_layout.h"
#include "store/status.h"

namespace tankora {

// In the order the copies are made; the company profile always takes part.
enum class BackupPart : std::uint8_t { Kokyaku, TenkenDenp, Kouji, Jisya };
inline constexpr int kBackupPartCount = 4;
// The parts the user chooses (the company profile is not one of them).
inline constexpr int kChosenPartCount = 3;

struct BackupPartDef {
  BackupPart part;
  std::string_view dataName;  // in the Data folder
  std::string_view copyName;  // in the backup folder
  std::string_view cliName;   // --only customers,slips,ledger
  std::string_view caption;   // UTF-8, for messages
  const RecordLayout& (*layout)();
};

std::span<const BackupPartDef> BackupParts();
const BackupPartDef& PartDef(BackupPart part);
inline int PartIndex(BackupPart part) { return static_cast<int>(part); }

// "<name>.tmp" beside the file: where a copy is written before its rename.
std::filesystem::path TempPathOf(const std::filesystem::path& target);

// The file a path stands for: a symbolic link's target (a Data file kept on
// a network drive), so that replacing it keeps the link.
std::filesystem::path RealFileOf(const std::filesystem::path& path);

struct CopyJob {
  std::filesystem::path source;
  std::filesystem::path target;  // the final name; written as TempPathOf(target)
  std::size_t recordLength = 0;
  // Which source records go into the copy (the clean-up); empty keeps all.
  std::function<bool(std::string_view image)> keep;
  // Permission bits of a new file (an existing target keeps its own).
  unsigned mode = 0644;
};

struct CopyResult {
  Status status;
  int sourceRecords = 0;     // whole records the source held
  int written = 0;           // records in the copy
  long long strayBytes = 0;  // bytes of a partial record at the source's end, left out
  int err = 0;               // errno of a failure (ENOSPC: the medium is full)
  bool atSource = false;     // the failure was in reading the source
};

// A copy written to its temporary file but not yet flushed and read back.
// Flushing every copy of a run together lets the file system commit them
// at once. Destroying it unfinished removes the temporary file.
class PendingCopy final {
 public:
  PendingCopy() = default;
  PendingCopy(PendingCopy&& other) noexcept;
  PendingCopy& operator=(PendingCopy&& other) noexcept;
  PendingCopy(const PendingCopy&) = delete;
  PendingCopy& operator=(const PendingCopy&) = delete;
  ~PendingCopy();

  const CopyResult& Result() const { return result_; }

 private:
  friend PendingCopy BeginCopy(const CopyJob&, const std::function<void(int)>&);
  friend CopyResult FinishCopy(PendingCopy&);
  std::string_view Bytes() const;
  void Abandon();
  CopyResult& Fail(const std::string& what, int err);

  std::filesystem::path temp_;
  int fd_ = -1;
  std::unique_ptr<char[]> source_;
  std::size_t sourceBytes_ = 0;
  std::string filtered_;
  bool filteredCopy_ = false;
  std::size_t recordLength_ = 1;
  CopyResult result_;
};

// The first half of WriteVerifiedTemp: the records written, percentages
// reported up to the last step below 100. Result() says whether it failed.
PendingCopy BeginCopy(const CopyJob& job, const std::function<void(int)>& percent);
// The second half: flushed, read back past the cache, compared, closed.
// On failure the temporary file is removed.
CopyResult FinishCopy(PendingCopy& pending);

// Writes the whole records of the source that `keep` accepts to
// TempPathOf(target), flushes it, reads it back past the cache and compares
// it byte for byte and by size. `percent` is called with 0 first, then each
// time the integer part of i / n * 100 changes while record i is copied (so at
// most 100 times), and with 100 when the copy is verified. On failure the
// temporary file is removed; the target is never touched here.
CopyResult WriteVerifiedTemp(const CopyJob& job, const std::function<void(int)>& percent);

// Renames the verified temporary file over the target. The caller flushes
// the folder once after the last rename of a run (fileio::SyncDirectory).
Status CommitTemp(const std::filesystem::path& target);
// Removes a temporary file left by WriteVerifiedTemp (when a later step failed).
void DiscardTemp(const std::filesystem::path& target);

}  // namespace tankora
