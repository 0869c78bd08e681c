#include "backup/backup_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "store/company.h"
#include "store/file_io.h"

namespace tankora {

namespace fs = std::filesystem;

namespace {

const RecordFile& DataFile(const Store& store, BackupPart part) {
  switch (part) {
    case BackupPart::Kokyaku:
      return store.KokyakuFile();
    case BackupPart::TenkenDenp:
      return store.TenkenFile();
    case BackupPart::Kouji:
      return store.KoujiFile();
    case BackupPart::Jisya:
      break;
  }
  return store.JisyaFile();
}

RecordFile& DataFile(Store& store, BackupPart part) {
  return const_cast<RecordFile&>(DataFile(static_cast<const Store&>(store), part));
}

std::size_t LengthOf(BackupPart part) { return PartDef(part).layout().RecordLength(); }

// The parts a run takes: the chosen ones, then always the company profile.
std::vector<BackupPart> PartsOf(const BackupRequest& request) {
  std::vector<BackupPart> parts;
  for (int i = 0; i < kChosenPartCount; ++i) {
    if (request.chosen[static_cast<std::size_t>(i)]) parts.push_back(static_cast<BackupPart>(i));
  }
  parts.push_back(BackupPart::Jisya);
  return parts;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

bool InsideFolder(const fs::path& inner, const fs::path& outer) {
  std::error_code ec;
  for (fs::path p = fs::absolute(inner, ec); !ec && !p.empty(); p = p.parent_path()) {
    if (SameFolder(p, outer)) return true;
    if (p == p.parent_path()) break;
  }
  return false;
}

std::string PartList(const RunReport& report, PartState state) {
  std::string names;
  for (const BackupPartDef& def : BackupParts()) {
    if (report.parts[static_cast<std::size_t>(PartIndex(def.part))].state != state) continue;
    if (!names.empty()) names += "・";
    names += def.caption;
  }
  return names;
}

PartReport& PartOf(RunReport& report, BackupPart part) {
  return report.parts[static_cast<std::size_t>(PartIndex(part))];
}

void Finished(BackupProgress* progress, BackupPart part, const PartReport& report) {
  if (progress) progress->PartFinished(part, report);
}

// Nothing of a failed run is renamed: the temporary copies go, and every
// part written so far is reported as not copied.
void AbandonTemps(RunReport& report, const std::vector<std::pair<BackupPart, fs::path>>& temps,
                  BackupProgress* progress, const std::string& why) {
  for (const auto& [part, target] : temps) {
    DiscardTemp(target);
    PartReport& p = PartOf(report, part);
    if (p.state == PartState::Copied) {
      p.state = PartState::Failed;
      p.detail = why;
      Finished(progress, part, p);
    }
  }
}

struct Job {
  BackupPart part;
  CopyJob copy;
};

// Writes every job's copy beside its target, then flushes and reads back
// each (so the file system commits them together). True when all are
// whole; their temporary files then wait for CommitTemp. On a failure no
// temporary file is left, and the part that failed says why.
bool CopyAll(RunReport& report, const std::vector<Job>& jobs, BackupProgress* progress,
             const std::string& othersWhy, BackupPart& failed) {
  std::vector<PendingCopy> pending;
  pending.reserve(jobs.size());
  auto fail = [&](std::size_t at, const CopyResult& c) {
    PartReport& p = PartOf(report, jobs[at].part);
    p.state = PartState::Failed;
    p.detail = c.status.detail;
    p.err = c.err;
    p.atSource = c.atSource;
    Finished(progress, jobs[at].part, p);
    // The others begun are not copied either; no temporary file stays.
    const std::size_t begun = pending.size();
    pending.clear();
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      DiscardTemp(jobs[i].copy.target);
      if (i == at || i >= begun) continue;
      PartReport& other = PartOf(report, jobs[i].part);
      other.state = PartState::Failed;
      other.detail = othersWhy;
      other.err = 0;
      Finished(progress, jobs[i].part, other);
    }
    failed = jobs[at].part;
    return false;
  };
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    if (progress) progress->PartStarted(jobs[i].part);
    pending.push_back(BeginCopy(jobs[i].copy, [&](int percent) {
      if (progress) progress->PartPercent(jobs[i].part, percent);
    }));
    const CopyResult& c = pending.back().Result();
    PartOf(report, jobs[i].part).strayBytes = c.strayBytes;
    if (!c.status) return fail(i, c);
  }
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const CopyResult c = FinishCopy(pending[i]);
    if (!c.status) return fail(i, c);
    PartReport& p = PartOf(report, jobs[i].part);
    p.state = PartState::Copied;
    p.records = c.written;
    p.leftOut = c.sourceRecords - c.written;
    if (progress) progress->PartPercent(jobs[i].part, 100);
    Finished(progress, jobs[i].part, p);
  }
  return true;
}

std::string SafetyName(std::time_t now) {
  std::tm local{};
  localtime_r(&now, &local);
  char name[32];
  std::snprintf(name, sizeof name, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return name;
}

bool IsSafetyName(const std::string& name) {
  if (name.size() < 15 || name[8] != '-') return false;
  for (std::size_t i = 0; i < 15; ++i) {
    if (i != 8 && (name[i] < '0' || name[i] > '9')) return false;
  }
  return name.size() == 15 || name[15] == '-';
}

// Puts a data file back from the safety folder, whole.
Status PutBack(const fs::path& safety, BackupPart part, const fs::path& target) {
  CopyJob job{safety / PartDef(part).copyName, target, LengthOf(part), {}, 0644};
  const CopyResult c = WriteVerifiedTemp(job, {});
  if (!c.status) return c.status;
  Status s = CommitTemp(target);
  if (s) (void)fileio::SyncDirectory(target.parent_path());
  return s;
}

}  // namespace

std::optional<std::string> FolderProblem(const Store& store, const BackupRequest& request) {
  const fs::path& folder = request.folder;
  if (folder.empty()) {
    return "USBメモリのフォルダが指定されていません。ドライブとフォルダを選んでください。";
  }
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    return "指定したフォルダ " + folder.string() +
           " が見つかりません。USBメモリがセットされているか確かめてください。";
  }
  if (SameFolder(folder, store.DataDir())) {
    return "データフォルダそのものは指定できません。USBメモリのフォルダを選んでください。";
  }
  if (request.direction == Direction::ToUsb && InsideFolder(folder, store.DataDir())) {
    return "データフォルダの中には保存できません。USBメモリのフォルダを選んでください。";
  }
  return std::nullopt;
}

RunReport RunBackup(Store& store, const BackupRequest& request, BackupProgress* progress) {
  RunReport report;
  if (auto problem = FolderProblem(store, request)) {
    report.outcome = RunOutcome::Refused;
    report.message = *problem;
    return report;
  }
  // With the folder to itself the copies take no record a crash left torn.
  if (request.holdsLock) {
    if (Status s = store.FinishPendingWrites(); !s) {
      report.outcome = RunOutcome::Failed;
      report.message = "書きかけの記録を仕上げられないため、保存しませんでした: " + s.detail;
      return report;
    }
  }
  const Date since = KeepSince(request.today, ClampKeepYears(request.keepYears));
  std::vector<Job> jobs;
  std::vector<std::pair<BackupPart, fs::path>> temps;
  for (const BackupPart part : PartsOf(request)) {
    const fs::path target = request.folder / PartDef(part).copyName;
    Job job{part, CopyJob{DataFile(store, part).Path(), target, LengthOf(part), {}, 0644}};
    if (request.cleanUp) job.copy.keep = CleanUpRule(part, since);
    jobs.push_back(std::move(job));
    temps.emplace_back(part, target);
  }
  // Said after a failure only where it is true: a first save has nothing to keep.
  bool hadCopies = false;
  for (const auto& [part, target] : temps) {
    std::error_code ec;
    hadCopies |= fs::exists(target, ec);
  }
  BackupPart failed = BackupPart::Jisya;
  if (!CopyAll(report, jobs, progress, "ほかのファイルが保存できなかったため、保存していません",
               failed)) {
    report.outcome = RunOutcome::Failed;
    // The row (and the command line's line) of the part says why.
    report.message = "USBメモリに保存できませんでした（" + std::string(PartDef(failed).caption) + "）。" +
                     (hadCopies ? "前に保存したデータはそのまま残っています。"
                                : "このフォルダには何も保存していません。");
    return report;
  }
  // Every copy is whole on the stick; the renames follow one another closely,
  // so the set is replaced all at once or (pulled out before) not at all.
  for (std::size_t i = 0; i < temps.size(); ++i) {
    if (Status s = CommitTemp(temps[i].second); !s) {
      const std::vector<std::pair<BackupPart, fs::path>> rest(temps.begin() + static_cast<long>(i),
                                                               temps.end());
      AbandonTemps(report, rest, progress, "保存の途中で失敗しました");
      report.outcome = RunOutcome::Failed;
      report.message = "USBメモリへの保存が途中で失敗しました: " + s.detail;
      if (i > 0) report.message += "（新しく保存できたもの: " + PartList(report, PartState::Copied) + "）";
      (void)fileio::SyncDirectory(request.folder);
      return report;
    }
  }
  // The renames reach the stick before it may be pulled out.
  if (Status s = fileio::SyncDirectory(request.folder); !s) {
    report.outcome = RunOutcome::Failed;
    report.message = "USBメモリへの保存を確かめられませんでした: " + s.detail;
    return report;
  }
  report.message = "処理が完了しました";
  return report;
}

RunReport RunRestore(Store& store, const BackupRequest& request, BackupProgress* progress) {
  RunReport report;
  if (auto problem = FolderProblem(store, request)) {
    report.outcome = RunOutcome::Refused;
    report.message = *problem;
    return report;
  }
  // A copy that is missing or cut short is skipped; the PC keeps its file.
  std::vector<BackupPart> parts;
  for (const BackupPart part : PartsOf(request)) {
    PartReport& p = PartOf(report, part);
    const long long size = fileio::FileSize(request.folder / PartDef(part).copyName);
    if (size < 0) {
      p.state = PartState::Missing;
      p.detail = "USBメモリに写しがありません";
    } else if (size % static_cast<long long>(LengthOf(part)) != 0) {
      p.state = PartState::Cut;
      p.detail = "写しが途中で切れています";
    } else {
      parts.push_back(part);
      continue;
    }
    Finished(progress, part, p);
  }
  if (parts.empty()) {
    report.outcome = RunOutcome::Failed;
    report.message = "書き換えに使える写しがありません。パソコンのデータはそのままです。";
    return report;
  }
  // A write a crash left pending is settled before the files are copied
  // aside or replaced: an entry left for a replaced file would be applied
  // to the new file at the next write or start.
  if (Status s = store.FinishPendingWrites(); !s) {
    report.outcome = RunOutcome::Failed;
    report.message = "書きかけの記録を仕上げられないため、書き換えを中止しました: " + s.detail;
    return report;
  }
  if (Status s = WriteSafetyCopy(store, request.now, &report.safetyFolder); !s) {
    report.outcome = RunOutcome::Failed;
    report.message = "パソコンのデータの控えを作れないため、書き換えを中止しました: " + s.detail;
    return report;
  }

  std::vector<Job> jobs;
  std::vector<std::pair<BackupPart, fs::path>> temps;
  for (const BackupPart part : parts) {
    const fs::path target = RealFileOf(DataFile(store, part).Path());
    jobs.push_back(
        {part, CopyJob{request.folder / PartDef(part).copyName, target, LengthOf(part), {}, 0644}});
    temps.emplace_back(part, target);
  }
  BackupPart failed = BackupPart::Jisya;
  if (!CopyAll(report, jobs, progress,
               "ほかのファイルが書き換えられなかったため、書き換えていません", failed)) {
    report.outcome = RunOutcome::Failed;
    report.message = "書き換えできませんでした（" + std::string(PartDef(failed).caption) +
                     "）。パソコンのデータはそのままです。";
    return report;
  }

  for (std::size_t i = 0; i < temps.size(); ++i) {
    Status s = CommitTemp(temps[i].second);
    if (s) continue;
    // Some files are the stick's already, the rest still the PC's: a mixed
    // set is worse than either, so the replaced ones go back.
    report.filesReplaced = i > 0;
    const std::vector<std::pair<BackupPart, fs::path>> rest(temps.begin() + static_cast<long>(i),
                                                             temps.end());
    AbandonTemps(report, rest, progress, "書き換えの途中で失敗しました");
    std::string notBack;
    for (std::size_t k = 0; k < i; ++k) {
      const auto& [part, target] = temps[k];
      PartReport& p = PartOf(report, part);
      if (Status back = PutBack(report.safetyFolder, part, target); back) {
        p.state = PartState::Undone;
        p.records = static_cast<int>(fileio::FileSize(target) / static_cast<long long>(LengthOf(part)));
        p.detail = "元に戻しました";
      } else {
        p.state = PartState::Failed;
        p.detail = back.detail;
        if (!notBack.empty()) notBack += "・";
        notBack += PartDef(part).caption;
      }
      Finished(progress, part, p);
    }
    report.outcome = RunOutcome::Failed;
    report.message = "書き換えの途中で失敗しました（" + s.detail + "）。";
    if (notBack.empty()) {
      report.message += "元のデータに戻しました。";
    } else {
      report.message += notBack + "を元に戻せませんでした。控え " + report.safetyFolder.string() +
                        " から書き換えてください。";
    }
    return report;
  }
  report.filesReplaced = true;
  // The new files are in place; a folder that cannot be flushed means only
  // that a power cut could bring the old whole ones back.
  std::set<fs::path> folders;
  for (const auto& temp : temps) folders.insert(temp.second.parent_path());
  for (const fs::path& folder : folders) (void)fileio::SyncDirectory(folder);
  PruneSafetyFolders(store.DataDir(), kSafetyFoldersKept, request.folder);
  const std::string skipped =
      PartList(report, PartState::Missing) +
      (PartList(report, PartState::Missing).empty() || PartList(report, PartState::Cut).empty()
           ? ""
           : "・") +
      PartList(report, PartState::Cut);
  if (skipped.empty()) {
    report.message = "処理が完了しました";
  } else {
    report.outcome = RunOutcome::Partly;
    report.message = "処理が完了しました。" + skipped +
                     "は写しがないか途中で切れているため、書き換えていません。";
  }
  return report;
}

int CopyRecordCount(const fs::path& folder, BackupPart part) {
  const long long size = fileio::FileSize(folder / PartDef(part).copyName);
  if (size < 0) return -1;
  return static_cast<int>(size / static_cast<long long>(LengthOf(part)));
}

std::optional<Date> SavedDateOf(const fs::path& folder) {
  std::time_t newest = 0;
  bool found = false;
  for (const BackupPartDef& def : BackupParts()) {
    struct stat st {};
    if (::stat((folder / def.copyName).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    newest = found ? std::max(newest, st.st_mtime) : st.st_mtime;
    found = true;
  }
  if (!found) return std::nullopt;
  std::tm local{};
  localtime_r(&newest, &local);
  return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

fs::path SafetyRoot(const fs::path& dataDir) { return dataDir / "Safety"; }

Status WriteSafetyCopy(Store& store, std::time_t now, fs::path* made) {
  if (now == 0) now = std::time(nullptr);
  const fs::path root = SafetyRoot(store.DataDir());
  std::error_code ec;
  fs::create_directories(root, ec);
  if (ec) {
    return Status::Fail(StoreError::WriteFailed,
                        "cannot create " + root.string() + ": " + ec.message());
  }
  std::string name = SafetyName(now);
  for (int n = 2; fs::exists(root / name, ec); ++n) name = SafetyName(now) + "-" + std::to_string(n);
  const fs::path building = root / (name + ".tmp");
  fs::remove_all(building, ec);
  fs::create_directory(building, ec);
  if (ec) {
    return Status::Fail(StoreError::WriteFailed,
                        "cannot create " + building.string() + ": " + ec.message());
  }
  auto fail = [&](Status s) {
    fs::remove_all(building, ec);
    return s;
  };
  for (const BackupPartDef& def : BackupParts()) {
    const RecordFile& file = DataFile(store, def.part);
    const long long size = fileio::FileSize(file.Path());
    if (size < 0) continue;  // nothing there to keep
    const std::size_t length = LengthOf(def.part);
    if (size % static_cast<long long>(length) != 0) {
      std::string bytes;
      if (Status read = fileio::ReadFile(file.Path(), bytes); !read) return fail(read);
      const std::size_t whole = bytes.size() / length;
      if (Status kept = KeepPartialTail(file.Path(), std::string_view(bytes).substr(whole * length),
                                        static_cast<int>(whole) + 1);
          !kept) {
        return fail(kept);
      }
    }
    const fs::path target = building / def.copyName;
    const CopyResult c = WriteVerifiedTemp(CopyJob{file.Path(), target, length, {}, 0644}, {});
    if (!c.status) return fail(c.status);
    if (Status s = CommitTemp(target); !s) return fail(s);
  }
  if (Status s = fileio::SyncDirectory(building); !s) return fail(s);
  if (!fileio::PassFaultPoint("safety:before-rename")) {
    return fail(Status::Fail(StoreError::WriteFailed, "injected failure at " + building.string()));
  }
  fs::rename(building, root / name, ec);
  if (ec) {
    return fail(Status::Fail(StoreError::WriteFailed,
                             "cannot rename " + building.string() + ": " + ec.message()));
  }
  (void)fileio::SyncDirectory(root);
  if (made) *made = root / name;
  return Status::Ok();
}

void PruneSafetyFolders(const fs::path& dataDir, int keep, const fs::path& spare) {
  const fs::path root = SafetyRoot(dataDir);
  std::error_code ec;
  std::vector<fs::path> dated;
  for (const fs::directory_entry& e : fs::directory_iterator(root, ec)) {
    if (!e.is_directory(ec)) continue;
    const std::string name = e.path().filename().string();
    if (name.size() > 4 && name.substr(name.size() - 4) == ".tmp") {
      fs::remove_all(e.path(), ec);
    } else if (IsSafetyName(name)) {
      dated.push_back(e.path());
    }
  }
  // Names sort as their dates do; a second one in the same second has "-n".
  std::sort(dated.begin(), dated.end(), [](const fs::path& a, const fs::path& b) {
    const std::string x = a.filename().string(), y = b.filename().string();
    if (x.substr(0, 15) != y.substr(0, 15)) return x > y;
    if (x.size() != y.size()) return x.size() > y.size();
    return x > y;
  });
  for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < dated.size(); ++i) {
    if (!spare.empty() && SameFolder(dated[i], spare)) continue;
    fs::remove_all(dated[i], ec);
  }
}

Status ReopenDataFiles(Store& store, Record& company) {
  Status opened = store.Open();
  Company profile(store.JisyaFile());
  Status loaded = profile.Load();
  company = profile.Image();
  return opened ? loaded : opened;
}

CompactReport CompactDataFiles(Store& store, std::time_t now) {
  CompactReport report;
  report.status = store.FinishPendingWrites();
  if (report.status) report.status = WriteSafetyCopy(store, now, &report.safetyFolder);
  if (!report.status) return report;

  std::vector<std::pair<BackupPart, fs::path>> replaced;
  for (int i = 0; i < kChosenPartCount; ++i) {
    const auto part = static_cast<BackupPart>(i);
    const fs::path path = RealFileOf(DataFile(store, part).Path());
    const std::size_t length = LengthOf(part);
    std::string bytes;
    report.status = fileio::ReadFile(path, bytes, true);
    if (!report.status) break;
    const std::size_t n = bytes.size() / length;
    std::vector<int>& renumber = report.renumber[static_cast<std::size_t>(i)];
    renumber.assign(n, 0);
    std::string kept;
    kept.reserve(n * length);
    for (std::size_t r = 0; r < n; ++r) {
      const std::string_view image = std::string_view(bytes).substr(r * length, length);
      if (!NotDeleted(image)) continue;
      kept += image;
      renumber[r] = static_cast<int>(kept.size() / length);
    }
    report.removed[static_cast<std::size_t>(i)] = static_cast<int>(n - kept.size() / length);
    // A file with nothing to take out (and no partial record, which the
    // safety copy has kept beside it) is left as it is.
    if (kept.size() == n * length) continue;
    report.status = fileio::ReplaceFile(path, kept, "compact");
    if (!report.status) break;
    replaced.emplace_back(part, path);
  }
  if (!report.status) {
    for (const auto& [part, path] : replaced) (void)PutBack(report.safetyFolder, part, path);
    report.removed = {};
    for (auto& r : report.renumber) r.clear();
  }
  report.filesReplaced = !replaced.empty();
  if (Status reopened = store.Open(); !reopened && report.status) report.status = reopened;
  PruneSafetyFolders(store.DataDir(), kSafetyFoldersKept);
  return report;
}

}  // namespace tankora
