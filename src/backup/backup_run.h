// Backup to a chosen folder and restore from it, both all-or-nothing: every
// copy is written beside its target and verified before any is renamed into
// place, and a restore first puts the PC's files into a dated safety folder,
// from which a restore that fails midway is undone.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_files.h"
#include "backup/cleanup.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {

enum class Direction : std::uint8_t { ToUsb, FromUsb };

struct BackupRequest {
  Direction direction = Direction::ToUsb;
  std::filesystem::path folder;  // the chosen folder
  // Customers, slips, ledger; the company profile always takes part.
  std::array<bool, kChosenPartCount> chosen{true, true, true};
  // Saving only: the copies leave out deleted records and old slips.
  bool cleanUp = false;
  int keepYears = kDefaultKeepYears;
  Date today{};
  // The caller holds the Data folder's lock, so a pending journal entry may
  // be finished before the files are read (a restore always needs it).
  bool holdsLock = true;
  // Names the safety folder; 0 takes the clock.
  std::time_t now = 0;
};

enum class PartState : std::uint8_t {
  NotChosen,  // not part of this run
  Copied,
  Missing,    // restore: the folder holds no copy; the PC file is kept
  Cut,        // restore: the copy is not a whole number of records; kept
  Failed,     // could not be copied; the file at the target is as it was
  Undone,     // restored, then put back from the safety copy
};

struct PartReport {
  PartState state = PartState::NotChosen;
  int records = 0;           // records in the file written
  int leftOut = 0;           // records the clean-up left out
  long long strayBytes = 0;  // a partial record at the source's end, not copied
  std::string detail;        // why it failed or was skipped
  int err = 0;               // errno of a failure
  bool atSource = false;     // the failure was in reading, not writing
};

enum class RunOutcome : std::uint8_t {
  Done,     // every part that was to be copied was copied
  Partly,   // restore: some chosen copies were missing or cut and skipped
  Refused,  // nothing was attempted (see message)
  Failed,   // nothing changed at the target, or a restore was undone
};

struct RunReport {
  RunOutcome outcome = RunOutcome::Done;
  std::string message;  // UTF-8, one line for people
  std::array<PartReport, kBackupPartCount> parts{};
  std::filesystem::path safetyFolder;
  // A data file was replaced (restored or put back): everything must be
  // reopened before the next read.
  bool filesReplaced = false;
  bool ok() const { return outcome == RunOutcome::Done; }
};

// What the screen draws while the copies run.
class BackupProgress {
 public:
  virtual ~BackupProgress() = default;
  virtual void PartStarted(BackupPart /*part*/) {}
  virtual void PartPercent(BackupPart /*part*/, int /*percent*/) {}
  virtual void PartFinished(BackupPart /*part*/, const PartReport& /*report*/) {}
};

// Why a run cannot start, checked before anything is read or written: no
// folder chosen, a folder that is not there, the Data folder itself (or, for
// saving, a folder inside it). Nothing when it may go ahead.
std::optional<std::string> FolderProblem(const Store& store, const BackupRequest& request);

RunReport RunBackup(Store& store, const BackupRequest& request, BackupProgress* progress);
// The store must be open. Afterwards, when filesReplaced, call ReopenDataFiles.
RunReport RunRestore(Store& store, const BackupRequest& request, BackupProgress* progress);

// Records in a part's copy in the folder (its size / record length), or -1
// when there is no copy.
int CopyRecordCount(const std::filesystem::path& folder, BackupPart part);
// The local date of the newest copy in the folder, when there is one.
std::optional<Date> SavedDateOf(const std::filesystem::path& folder);

// --- safety folders -----------------------------------------------------------

inline constexpr int kSafetyFoldersKept = 5;

// "<Data>/Safety": one folder per restore or clean-up, "YYYYMMDD-HHMMSS".
std::filesystem::path SafetyRoot(const std::filesystem::path& dataDir);

// Copies the four data files, whole records as backup copies (so a safety
// folder can be chosen and restored from like a stick), into a new dated
// folder under SafetyRoot. A partial record at a file's end is kept beside
// the file first. The folder appears under its name only when complete.
Status WriteSafetyCopy(Store& store, std::time_t now, std::filesystem::path* made);
// Keeps the newest `keep` safety folders (and `spare`, the one a restore
// reads from); removes the rest and any left half-written.
void PruneSafetyFolders(const std::filesystem::path& dataDir, int keep,
                        const std::filesystem::path& spare = {});

// --- the data files replaced underneath the program ----------------------------

// After a restore or a clean-up: the counts, journals and customer index from
// the files again, and the company profile into `company`.
Status ReopenDataFiles(Store& store, Record& company);

// --- データ整理（完全削除） ------------------------------------------------------

struct CompactReport {
  Status status;
  std::array<int, kChosenPartCount> removed{};  // records taken out per file
  std::filesystem::path safetyFolder;
  bool filesReplaced = false;
  // renumber[part][n - 1]: the new number of record n, 0 when it was removed.
  std::array<std::vector<int>, kChosenPartCount> renumber;
};

// Takes the records marked deleted out of the customer, slip and ledger
// files: a safety copy first, each file replaced whole, a failure undone
// from the safety copy. The store is reopened before this returns.
CompactReport CompactDataFiles(Store& store, std::time_t now);

}  // namespace tankora
