// The backup screen drawn from its state, its three commands, and the
// customer screen's データ整理, which rewrites the same files.
#include <cerrno>
#include <cstdio>
#include <string>

#include "backup/backup_run.h"
#include "backup/backup_screen.h"
#include "backup/backup_view.h"
#include "customers/customer_screen.h"
#include "inspection/slip_screen.h"
#include "ledger/ledger_screen.h"
#include "shell/input_framework.h"
#include "store/company.h"
#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/templates.h"

namespace tankora {

namespace {

constexpr std::string_view kPending = "残りの処理";
constexpr std::string_view kDone = "処理が完了しました";
constexpr std::string_view kNotDone = "処理できませんでした";

// UTF-8 text for a label. A folder name may hold characters CP932 lacks;
// they show as "?" rather than blank the whole path.
std::string Shown(std::string_view utf8) {
  if (auto whole = Utf8ToCp932(utf8)) return *whole;
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    out += Utf8ToCp932(utf8.substr(i, n)).value_or("?");
    i += n;
  }
  return out;
}

void SetStatus(Session::State& s, std::string_view utf8) {
  s.view.SetText(kStatusLabel, Shown(utf8));
}

const BackupRow& RowOf(BackupPart part) { return kBackupRows[PartIndex(part)]; }

std::string Count(int n) { return n < 0 ? std::string() : std::to_string(n); }

// "2026年12月07日保存のデータが存在": the template's four-byte year slot holds
// the Western year, unlike the era years of the reports.
std::string SavedDateText(Date date) {
  char year[16];
  std::snprintf(year, sizeof year, "%4d", date.year);
  return FillTemplate(templates::kSavedDataNotice,
                      {year, TwoDigitText(date.month), TwoDigitText(date.day)});
}

// The date alone ("2026年12月07日"): the notice up to its 日.
std::string SavedDay(Date date) {
  const std::string text = SavedDateText(date);
  const std::string day = Shown("日");
  return text.substr(0, text.find(day) + day.size());
}

void ShowPcCounts(Session::State& s) {
  const int counts[] = {s.store.KokyakuCount(), s.store.TenkenCount(), s.store.KoujiCount()};
  for (const BackupRow& row : kBackupRows) {
    s.view.SetText(row.pcCount, Count(counts[PartIndex(row.part)]));
  }
}

void ShowUsbSide(Session::State& s) {
  for (const BackupRow& row : kBackupRows) {
    s.view.SetText(row.usbCount,
                   s.backupFolder.empty() ? std::string() : Count(CopyRecordCount(s.backupFolder, row.part)));
  }
  const auto saved =
      s.backupFolder.empty() ? std::nullopt : SavedDateOf(std::filesystem::path(s.backupFolder));
  s.view.SetText("Label_BackupSavedDate", saved ? SavedDateText(*saved) : std::string());
}

void ShowDirection(Session::State& s) {
  s.view.SetChecked(kToUsbControl, !s.backupFromUsb);
  s.view.SetChecked(kFromUsbControl, s.backupFromUsb);
  FrameState toUsb = s.backupFromUsb ? FrameState::Plain : FrameState::Selected;
  FrameState fromUsb = s.backupFromUsb ? FrameState::Selected : FrameState::Plain;
  if (s.view.Frame("Shape_ToUSB_FromPC") != toUsb) s.view.SetFrame("Shape_ToUSB_FromPC", toUsb);
  if (s.view.Frame("Shape_ToPC_FromUSB") != fromUsb) {
    s.view.SetFrame("Shape_ToPC_FromUSB", fromUsb);
  }
}

void ShowYears(Session::State& s) { s.view.SetText(kYearsControl, TwoDigitText(s.backupKeepYears)); }

// Why a file could not be copied, in the office's words where the cause is
// a common one (a full or pulled stick); otherwise the system's own.
std::string FailureText(const PartReport& p, Direction direction) {
  if (p.err == 0) return p.detail;
  const bool onStick = (direction == Direction::ToUsb) != p.atSource;
  const std::string where = onStick ? "USBメモリ" : "パソコン";
  switch (p.err) {
    case ENOSPC:
    case EDQUOT:
      return where + "の空きが足りません";
    case EROFS:
      return where + "に書き込みが禁止されています";
    case EIO:
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return where + (p.atSource ? "から読めません" : "に書き込めません") +
             (onStick ? "（USBメモリが抜かれたか、壊れています）" : "");
    default:
      return p.detail;
  }
}

// Anything the user changes takes back a question that was waiting: the
// answer was given to other choices.
void Changed(Session::State& s) {
  if (s.backupConfirmPending) {
    s.backupConfirmPending = false;
    s.CursorOf(Screen::Backup) = -1;
    CommandCursorDraw(s, Screen::Backup);
  }
  SetStatus(s, kPending);
}

BackupRequest RequestOf(const Session::State& s) {
  BackupRequest r;
  r.direction = s.backupFromUsb ? Direction::FromUsb : Direction::ToUsb;
  r.folder = s.backupFolder;
  r.chosen = s.backupChosen;
  r.cleanUp = s.backupCleanUp && !s.backupFromUsb;
  r.keepYears = s.backupKeepYears;
  r.today = s.eras.Today();
  return r;
}

// The copies drawn as they run: the row's frame red while its file is
// copied, grey once it has ended; the status frame selected while the
// company profile is.
class ScreenProgress final : public BackupProgress {
 public:
  ScreenProgress(Session::State& s, Direction direction) : s_(s), direction_(direction) {}

  void PartStarted(BackupPart part) override {
    if (part == BackupPart::Jisya) {
      FrameOn(s_.view, kStatusFrame);
    } else {
      const BackupRow& row = RowOf(part);
      s_.view.SetFrame(row.frame, FrameState::Selected);
      s_.view.SetText(row.message, {});
    }
    s_.view.Repaint();
  }
  void PartPercent(BackupPart part, int percent) override {
    if (part == BackupPart::Jisya) return;
    s_.view.SetText(RowOf(part).percent, std::to_string(percent));
    s_.view.Repaint();
  }
  void PartFinished(BackupPart part, const PartReport& report) override {
    if (part == BackupPart::Jisya) {
      FrameOff(s_.view, kStatusFrame);
      s_.view.Repaint();
      return;
    }
    const BackupRow& row = RowOf(part);
    std::string message;
    switch (report.state) {
      case PartState::Copied:
        s_.view.SetText(direction_ == Direction::ToUsb ? row.usbCount : row.pcCount,
                        std::to_string(report.records));
        if (report.leftOut > 0) message = "整理で" + std::to_string(report.leftOut) + "件を除きました";
        if (report.strayBytes > 0) message += (message.empty() ? "" : "。") + std::string("末尾の欠けたレコードは写していません");
        break;
      case PartState::Undone:
        message = "元のデータに戻しました";
        break;
      case PartState::Failed:
        message = FailureText(report, direction_);
        s_.view.SetText(row.percent, {});
        break;
      default:
        message = report.detail;
        break;
    }
    s_.view.SetText(row.message, Shown(message));
    s_.view.SetAlert(row.message, report.state != PartState::Copied);
    s_.view.SetFrame(row.frame, FrameState::Done);
    s_.view.Repaint();
  }

 private:
  Session::State& s_;
  Direction direction_;
};

// The rows' percentages and notes tell of the last run in the folder then
// chosen; they go when the folder changes or a start is refused.
void RowsForget(Session::State& s) {
  for (const BackupRow& row : kBackupRows) {
    s.view.SetText(row.percent, {});
    s.view.SetText(row.message, {});
    s.view.SetAlert(row.message, false);
  }
}

void Refuse(Session::State& s, const std::string& why) {
  // A stick pulled out since the last run must not still read "100%" and
  // "保存のデータが存在" beside a refusal.
  RowsForget(s);
  ShowUsbSide(s);
  SetStatus(s, kNotDone);
  s.SetNotice(why);
}

// --- データ整理 -----------------------------------------------------------------

constexpr std::string_view kSeiriQuestion =
    "削除した顧客・点検伝票・工事伝票をファイルから完全に消します。よろしければもう一度 F3 "
    "を押してください（消す前のデータは Safety フォルダに残します）。";

int Renumbered(const std::vector<int>& map, int n) {
  return n >= 1 && n <= static_cast<int>(map.size()) ? map[static_cast<std::size_t>(n - 1)] : 0;
}

// The screens keep what they show, typing included; only the record
// numbers behind it move, as the records before them went.
void RenumberScreens(Session::State& s, const CompactReport& r) {
  const auto& slips = r.renumber[PartIndex(BackupPart::TenkenDenp)];
  const auto& ledger = r.renumber[PartIndex(BackupPart::Kouji)];
  const auto& customers = r.renumber[PartIndex(BackupPart::Kokyaku)];

  const int slip = Renumbered(slips, s.currentTenkenNo);
  s.currentTenkenNo = slip != 0 ? slip : s.store.TenkenCount() + 1;
  std::vector<int> history;
  for (const int n : s.tenkenRireki) {
    if (const int m = Renumbered(slips, n); m != 0) history.push_back(m);
  }
  s.tenkenRireki = history;
  TenkenRirekiShow(s);
  TenkenRowHighlight(s);

  const int entry = Renumbered(ledger, s.currentKoujiNo);
  if (entry != 0) {
    s.currentKoujiNo = entry;
  } else {
    // The entry on screen was a deleted one and is gone; a stored entry
    // shown as deleted was kept nowhere else.
    if (s.currentKoujiNo <= static_cast<int>(ledger.size())) {
      s.kouji.Clear();
      KoujiFromKokyaku(s);
    }
    s.currentKoujiNo = s.store.KoujiCount() + 1;
  }
  KoujiShow(s);

  const int loaded = s.loadedRecNo;
  KokyakuSlotsRebuild(s);
  if (loaded == 0) {
    KokyakuPlaceNewRow(s);
    KokyakuListRedraw(s);
    return;
  }
  const int customer = Renumbered(customers, loaded);
  int slot = -1;
  for (int i = 0; customer != 0 && i < s.SlotCount(); ++i) {
    if (s.slots[static_cast<std::size_t>(i)] == customer) slot = i;
  }
  if (slot >= 0) {
    KokyakuShowSlot(s, slot);
  } else {
    // A deleted customer shown with "削除した顧客も表示": it is gone now.
    KokyakuNew(s);
  }
}

}  // namespace

void BackupChoicesCommitted(Session::State& s, std::string_view control) {
  // The button clicked says the direction (its partner follows it).
  bool fromUsb = s.backupFromUsb;
  if (control == kFromUsbControl && s.view.Checked(kFromUsbControl)) fromUsb = true;
  if (control == kToUsbControl && s.view.Checked(kToUsbControl)) fromUsb = false;
  bool changed = fromUsb != s.backupFromUsb;
  s.backupFromUsb = fromUsb;
  for (const BackupRow& row : kBackupRows) {
    bool& chosen = s.backupChosen[static_cast<std::size_t>(PartIndex(row.part))];
    changed |= chosen != s.view.Checked(row.check);
    chosen = s.view.Checked(row.check);
  }
  changed |= s.backupCleanUp != s.view.Checked("CheckBox_Seiri");
  s.backupCleanUp = s.view.Checked("CheckBox_Seiri");
  if (control == kYearsControl) {
    const long typed = ValueOf(s.view.Text(kYearsControl));
    const int years = typed <= 0 ? kDefaultKeepYears : ClampKeepYears(static_cast<int>(typed));
    if (typed > 0 && typed < kMinKeepYears) {
      s.SetNotice("伝票は法定の保存期間の" + std::to_string(kMinKeepYears) +
                  "年より前のものしか整理できません。" + std::to_string(kMinKeepYears) +
                  "年にしました。");
    }
    changed |= years != s.backupKeepYears;
    s.backupKeepYears = years;
    ShowYears(s);
  }
  ShowDirection(s);
  if (changed) Changed(s);
}

void BackupScreenShow(Session::State& s) {
  s.view.SetText("Label_BackupFolder", Shown(s.backupFolder));
  s.view.SetFolder("BackupDirectoryListBox", s.backupFolder);
  ShowDirection(s);
  for (const BackupRow& row : kBackupRows) {
    s.view.SetChecked(row.check, s.backupChosen[static_cast<std::size_t>(PartIndex(row.part))]);
  }
  s.view.SetChecked("CheckBox_Seiri", s.backupCleanUp);
  ShowYears(s);
  ShowPcCounts(s);
  ShowUsbSide(s);
  s.backupConfirmPending = false;
  SetStatus(s, kPending);
}

void BackupFolderChosen(Session::State& s, std::string folder) {
  if (folder == s.backupFolder) return;
  s.backupFolder = std::move(folder);
  s.view.SetText("Label_BackupFolder", Shown(s.backupFolder));
  // What the notice line said (a refusal, a run's outcome) was of the folder
  // chosen before, as a command's notice goes with the next command.
  s.SetNotice({});
  RowsForget(s);
  ShowUsbSide(s);
  Changed(s);
}

void BackupSelectAll(Session::State& s, bool on) {
  for (const BackupRow& row : kBackupRows) s.view.SetChecked(row.check, on);
  s.backupChosen = {on, on, on};
  Changed(s);
}

void BackupStart(Session::State& s) {
  const BackupRequest request = RequestOf(s);
  if (auto problem = FolderProblem(s.store, request)) {
    Changed(s);
    Refuse(s, *problem);
    return;
  }
  if (request.direction == Direction::FromUsb && !s.backupConfirmPending) {
    const auto saved = SavedDateOf(request.folder);
    if (!saved) {
      Refuse(s, "このフォルダには保存したデータがありません。保存したフォルダを選んでください。");
      return;
    }
    // One question, in the status line: F1 again, or Enter where the caret
    // now waits under it, replaces the PC's data with that day's.
    s.backupConfirmPending = true;
    s.view.SetText(kStatusLabel, SavedDay(*saved) + Shown("保存のデータでパソコンのデータを"
                                                          "書き換えます。よろしければ F1 か Enter"));
    s.CursorOf(Screen::Backup) = 0;
    FocusControl(s, kCommandControl);
    CommandCursorDraw(s, Screen::Backup);
    return;
  }
  s.backupConfirmPending = false;
  s.CursorOf(Screen::Backup) = -1;
  CommandCursorDraw(s, Screen::Backup);
  SetStatus(s, kPending);
  for (const BackupRow& row : kBackupRows) {
    s.view.SetText(row.message, {});
    s.view.SetAlert(row.message, false);
  }
  s.view.Repaint();

  ScreenProgress progress(s, request.direction);
  const RunReport report = request.direction == Direction::ToUsb
                               ? RunBackup(s.store, request, &progress)
                               : RunRestore(s.store, request, &progress);
  if (report.outcome == RunOutcome::Refused) {
    Refuse(s, report.message);
    return;
  }
  // The folder is remembered by every start that went ahead.
  if (Status saved = SaveBackupFolder(s.store.DataDir(), s.backupFolder); !saved) {
    s.SetNotice(saved.detail);
  }
  if (report.filesReplaced) s.session.DataReplaced();
  ShowPcCounts(s);
  ShowUsbSide(s);
  if (report.outcome == RunOutcome::Failed) {
    SetStatus(s, kNotDone);
  } else {
    SetStatus(s, kDone);
  }
  if (!report.ok()) s.SetNotice(report.message);
}

void KokyakuDataSeiri(Session::State& s) {
  if (s.noticeBeforeCommand != kSeiriQuestion) {
    s.SetNotice(std::string(kSeiriQuestion));
    return;
  }
  const CompactReport r = CompactDataFiles(s.store, 0);
  if (!r.status) {
    // Put back as it was (or never changed): only the index was read again.
    KokyakuSlotsRebuild(s);
    KokyakuListRedraw(s);
    s.SetNotice("データ整理ができませんでした: " + r.status.detail);
    return;
  }
  if (r.filesReplaced) RenumberScreens(s, r);
  const auto removed = [&](BackupPart p) { return std::to_string(r.removed[PartIndex(p)]); };
  s.SetNotice("データ整理が完了しました。顧客 " + removed(BackupPart::Kokyaku) + "件、点検伝票 " +
                  removed(BackupPart::TenkenDenp) + "件、工事伝票 " + removed(BackupPart::Kouji) +
                  "件を完全に消しました（消す前のデータ: Safety/" +
                  r.safetyFolder.filename().string() + "）。",
              NoticeKind::Info);
}

void InstallBackupSeams(Session::State& s) {
  ChainSeam(s.seams.started, [](Session& session) { BackupScreenShow(session.state()); });
  auto before = std::move(s.seams.screenShown);
  s.seams.screenShown = [before = std::move(before)](Session& session, Screen screen) {
    if (before) before(session, screen);
    // A stick put in or taken out since: the counts and the date again.
    if (screen == Screen::Backup) BackupScreenShow(session.state());
  };
}

}  // namespace tankora
