// `tankora backup --to DIR` and `tankora restore --from DIR`: the same copy
// runs as the backup screen's, printed one file a line.
#include <cstdio>
#include <iostream>

#include "app/cli.h"
#include "backup/backup_run.h"
#include "store/data_folder.h"
#include "util/era.h"

namespace tankora {

namespace fs = std::filesystem;

namespace {

std::string RecordsText(int n) { return std::to_string(n) + (n == 1 ? " record" : " records"); }

// One line per part that took part: its file at the target and what it holds.
void PrintParts(const RunReport& report, Direction direction, std::ostream& out) {
  for (const BackupPartDef& def : BackupParts()) {
    const PartReport& p = report.parts[static_cast<std::size_t>(PartIndex(def.part))];
    if (p.state == PartState::NotChosen) continue;
    const std::string_view name = direction == Direction::ToUsb ? def.copyName : def.dataName;
    char head[64];
    std::snprintf(head, sizeof head, "  %-15.*s ", static_cast<int>(name.size()), name.data());
    std::string line = head;
    switch (p.state) {
      case PartState::Copied:
        line += RecordsText(p.records);
        if (p.leftOut > 0) line += " (" + std::to_string(p.leftOut) + " left out by --clean)";
        if (p.strayBytes > 0) {
          line += " (" + std::to_string(p.strayBytes) + " bytes of a partial record at the end of " +
                  std::string(direction == Direction::ToUsb ? def.dataName : def.copyName) +
                  " not copied)";
        }
        break;
      case PartState::Missing:
        line += "skipped: the folder holds no " + std::string(def.copyName) +
                "; the PC's file is kept";
        break;
      case PartState::Cut:
        line += "skipped: " + std::string(def.copyName) +
                " is not a whole number of records (cut short); the PC's file is kept";
        break;
      case PartState::Undone:
        line += "put back as it was (" + RecordsText(p.records) + ")";
        break;
      case PartState::Failed:
        line += "not copied: " + p.detail;
        break;
      case PartState::NotChosen:
        break;
    }
    out << line << "\n";
  }
}

BackupRequest RequestOf(const CliOptions& options, Direction direction) {
  BackupRequest request;
  request.direction = direction;
  request.folder = options.folder.value_or(std::string{});
  request.chosen = options.only;
  request.cleanUp = options.clean;
  request.today = EraCalendar::TodayFromEnvironment();
  return request;
}

int Finish(const RunReport& report, std::ostream& out, std::ostream& err) {
  out.flush();
  if (report.ok()) return kExitOk;
  err << "tankora: " << report.message << "\n";
  return kExitFailed;
}

}  // namespace

std::optional<std::array<bool, 3>> ParseOnlyList(const std::string& list) {
  std::array<bool, 3> chosen{false, false, false};
  std::size_t start = 0;
  bool any = false;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    bool known = false;
    for (int i = 0; i < kChosenPartCount; ++i) {
      if (PartDef(static_cast<BackupPart>(i)).cliName == name) {
        chosen[static_cast<std::size_t>(i)] = true;
        known = true;
      }
    }
    // The company profile always takes part; naming it is no mistake.
    if (name == PartDef(BackupPart::Jisya).cliName) known = true;
    if (!known) return std::nullopt;
    any = true;
    start = comma + 1;
  }
  if (!any) return std::nullopt;
  return chosen;
}

int RunBackupCommand(const fs::path& dataDir, const CliOptions& options, std::ostream& out,
                     std::ostream& err) {
  if (const auto problem = TodayOverrideProblem(); problem && options.clean) {
    err << "tankora: " << *problem << "\n";
    return kExitUsage;
  }
  std::error_code ec;
  if (!fs::is_directory(dataDir, ec)) {
    err << "tankora: there is no Data folder at " << dataDir.string()
        << " (use --data DIR or TANKORA_DATA to point at one)\n";
    return kExitFailed;
  }
  // With the folder to itself the backup may finish a write a crash left
  // pending; while the window has it, the window's own writes are whole.
  Status lockStatus;
  std::optional<DataLock> lock = DataLock::Acquire(dataDir, &lockStatus);
  if (!lock && lockStatus.error != StoreError::Locked) {
    err << "tankora: " << lockStatus.detail << "\n";
    return kExitFailed;
  }
  Store store(dataDir);
  if (Status open = lock ? store.Open() : store.OpenReadOnly(); !open) {
    err << "tankora: " << open.detail << "\n";
    return kExitFailed;
  }
  BackupRequest request = RequestOf(options, Direction::ToUsb);
  request.holdsLock = lock.has_value();
  const RunReport report = RunBackup(store, request, nullptr);
  if (report.outcome != RunOutcome::Refused) {
    out << (report.ok() ? "Saved to " : "Not saved to ") << request.folder.string() << ":\n";
    PrintParts(report, Direction::ToUsb, out);
  }
  return Finish(report, out, err);
}

int RunRestoreCommand(const fs::path& dataDir, const CliOptions& options, std::ostream& out,
                      std::ostream& err) {
  // A new PC has no Data folder yet: restoring is how it gets one.
  if (Status st = EnsureDataFolder(dataDir); !st) {
    err << "tankora: " << st.detail << "\n";
    return kExitFailed;
  }
  Status lockStatus;
  std::optional<DataLock> lock = DataLock::Acquire(dataDir, &lockStatus);
  if (!lock) {
    err << "tankora: " << lockStatus.detail;
    if (lockStatus.error == StoreError::Locked) {
      err << "; close the window before restoring, nothing was changed";
    }
    err << "\n";
    return kExitFailed;
  }
  Store store(dataDir);
  if (Status open = store.Open(); !open) {
    err << "tankora: " << open.detail << "\n";
    return kExitFailed;
  }
  const BackupRequest request = RequestOf(options, Direction::FromUsb);
  const RunReport report = RunRestore(store, request, nullptr);
  if (report.outcome != RunOutcome::Refused) {
    out << (report.ok() || report.outcome == RunOutcome::Partly ? "Restored from "
                                                                   : "Not restored from ")
        << request.folder.string() << ":\n";
    PrintParts(report, Direction::FromUsb, out);
    if (!report.safetyFolder.empty()) {
      out << "The PC's files as they were: " << report.safetyFolder.string() << "\n";
    }
  }
  if (report.filesReplaced) {
    Record company(JisyaLayout());
    if (Status reopened = ReopenDataFiles(store, company); !reopened) {
      err << "tankora: " << reopened.detail << "\n";
      return kExitFailed;
    }
    out << "Live customers: " << store.ActiveCount() << "\n";
  }
  return Finish(report, out, err);
}

}  // namespace tankora
