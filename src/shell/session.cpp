#include "shell/session.h"

#include <cstdio>
#include <vector>

#include "backup/backup_screen.h"
#include "backup/backup_run.h"
#include "customers/customer_screen.h"
#include "ledger/ledger_screen.h"
#include "shell/input_framework.h"
#include "shell/screen_def.h"
#include "shell/session_state.h"
#include "store/company.h"
#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

struct TabDef {
  Screen screen;
  std::string_view label;
  std::string_view panel;  // "" for the customer screen: Panel_Kanri is always shown
};

constexpr TabDef kTabs[kScreenCount] = {
    {Screen::Customer, "Label_Basic", ""},
    {Screen::Slip, "Label_Tenken", "Panel_Tenken"},
    {Screen::Ledger, "Label_Kouji", "Panel_Kouji"},
    {Screen::TenkenList, "Label_TenkenListView", "Panel_TenkenList"},
    {Screen::KeiyakuList, "Label_KoujiListView", "Panel_KeiyakuList"},
    {Screen::Backup, "Label_BackUp", "Panel_BackUp"},
};

// Today's date goes into the parameter edits of the report screens.
constexpr std::string_view kTodayYearEdits[] = {
    "Edit_TenkenGeppou_Year", "Edit_TenkenGeppou_ChooseYear", "Edit_HosyuKeiyaku_Geppou_Year",
    "Edit_HosyuKeiyaku_Geppou_ChooseYear", "Edit_Kouji_KokyakuEndYear"};
constexpr std::string_view kTodayMonthEdits[] = {
    "Edit_TenkenGeppou_Month",          "Edit_TenkenGeppou_ChooseMonth",
    "Edit_TenkenYotei_Month",           "Edit_HosyuKeiyaku_Geppou_Month",
    "Edit_HosyuKeiyaku_Geppou_ChooseMonth", "Edit_Kouji_SyuukinMonth",
    "Edit_Kouji_KokyakuEndMonth"};
constexpr std::string_view kTodayDayEdits[] = {"Edit_TenkenGeppou_Day",
                                               "Edit_HosyuKeiyaku_Geppou_Day"};

struct CompanyEdit {
  CompanyField field;
  std::string_view edits[2];
};
constexpr CompanyEdit kCompanyEdits[] = {
    {CompanyField::Teisyutusaki,
     {"Edit_TenkenGeppou_Teisyutusaki", "Edit_HosyuKeiyaku_Geppou_Teisyutusaki"}},
    {CompanyField::Address, {"Edit_TenkenGeppou_Address", "Edit_HosyuKeiyaku_Geppou_Address"}},
    {CompanyField::KaisyaName,
     {"Edit_TenkenGeppou_KaisyaName", "Edit_HosyuKeiyaku_Geppou_KaisyaName"}},
    {CompanyField::Name, {"Edit_TenkenGeppou_Name", "Edit_HosyuKeiyaku_Geppou_Name"}},
    {CompanyField::Tel, {"Edit_TenkenGeppou_Tel", "Edit_HosyuKeiyaku_Geppou_Tel"}},
    {CompanyField::TopMargine, {"Edit_TopMargine", "Edit_TopMargine_Kouji"}},
    {CompanyField::LeftMargine, {"Edit_LeftMargine", "Edit_LeftMargine_Kouji"}},
};

std::string TwoDigits(int v) {
  char text[16];
  std::snprintf(text, sizeof text, "%2d", v);
  return text;
}

// The company fields and print margins into both of their edits.
void CompanyShow(Session::State& s) {
  for (const CompanyEdit& c : kCompanyEdits) {
    for (std::string_view e : c.edits) s.view.SetText(e, s.jisya.Get(JisyaFieldOf(c.field)));
  }
}

const TabDef* TabOfLabel(std::string_view label) {
  for (const TabDef& t : kTabs) {
    if (t.label == label) return &t;
  }
  return nullptr;
}

// The working record differs from record n of `file` (n in 1..count).
bool DiffersFromStored(const RecordFile& file, int n, Record& working) {
  if (n < 1 || n > file.Count()) return false;
  Record stored(working.Layout());
  return file.ReadRecord(n, stored) && stored.Pack() != working.Pack();
}

// The customer holds typing no command stored: it differs from its record,
// or from a blank one while it is new. Twins holding the value of the ledger
// entry on screen, while that entry is stored as it stands, are the entry's
// and do not count: leaving a ledger edit copies the entry's value into the
// customer, and "F1 工事元帳のみ登録" leaves what it stored there (in a
// customer not stored yet, for an orderer who is no customer).
bool CustomerTyped(Session::State& s) {
  Record base(KokyakuLayout());
  if (s.loadedRecNo == 0) {
    base.Clear();
  } else if (s.loadedRecNo > s.store.KokyakuCount() ||
             !s.store.KokyakuFile().ReadRecord(s.loadedRecNo, base)) {
    return false;
  }
  Record rest = s.kokyaku;
  const int entry = s.currentKoujiNo;
  if (entry >= 1 && entry <= s.store.KoujiCount() &&
      !DiffersFromStored(s.store.KoujiFile(), entry, s.kouji)) {
    for (int f = Kouji::Name; f <= Kouji::Ninsou; ++f) {
      if (rest.Get(Kouji::TwinOf(f)) == s.kouji.Get(f)) {
        rest.Set(Kouji::TwinOf(f), base.Get(Kouji::TwinOf(f)));
      }
    }
  }
  return rest.Pack() != base.Pack();
}

}  // namespace

namespace {

// Which of `parts` hold typing no command stored.
unsigned TypedParts(Session::State& s, unsigned parts) {
  unsigned typed = 0;
  if ((parts & kUnsavedCustomer) && CustomerTyped(s)) typed |= kUnsavedCustomer;
  bool slipTyped = false;
  if ((parts & kUnsavedSlip) == 0) {
    // not asked for
  } else if (s.currentTenkenNo >= 1 && s.currentTenkenNo <= s.store.TenkenCount()) {
    slipTyped = DiffersFromStored(s.store.TenkenFile(), s.currentTenkenNo, s.tenken);
  } else {
    // A new slip starts with its customer and today's date: only the
    // readings and remarks are typing.
    for (int f = TenkenDenp::Gaikan; f <= TenkenDenp::Bikou; ++f) {
      slipTyped |= !TrimBlanks(s.tenken.Get(f)).empty();
    }
  }
  if (slipTyped) typed |= kUnsavedSlip;
  bool entryTyped = false;
  if ((parts & (kUnsavedLedger | kUnsavedLedgerTyped)) == 0) {
    // not asked for
  } else if (s.currentKoujiNo >= 1 && s.currentKoujiNo <= s.store.KoujiCount()) {
    entryTyped = DiffersFromStored(s.store.KoujiFile(), s.currentKoujiNo, s.kouji);
  } else {
    // A new entry counts by what a ledger edit changed in it, not by the
    // twins the customer screen's typing reaches (that is the customer's).
    entryTyped = s.koujiTyped && s.kouji.Pack() != s.koujiNewImage;
  }
  if ((parts & kUnsavedLedger) == 0) entryTyped &= s.koujiTyped;
  if (entryTyped) typed |= kUnsavedLedger;
  return typed;
}

std::string PartNames(unsigned typed) {
  std::string list;
  const auto add = [&](unsigned part, const char* name) {
    if (typed & part) list += (list.empty() ? "" : "・") + std::string(name);
  };
  add(kUnsavedCustomer, "顧客");
  add(kUnsavedSlip, "点検伝票");
  add(kUnsavedLedger, "工事元帳");
  return list;
}

// "…で保存できます。": the key that stores what `typed` names, as the screen
// shown offers it, or the screen and key for each part it cannot store. The
// customer's own typing (its reading, its months) is stored by the customer
// screen's F1, the slip screen's F1 (before the slip) and the ledger's F3,
// never by the ledger's F1 (工事元帳のみ登録).
std::string SaveHint(Session::State& s, unsigned typed) {
  constexpr unsigned kC = kUnsavedCustomer, kT = kUnsavedSlip, kL = kUnsavedLedger;
  const Screen here = s.currentScreen;
  // F3 stores the customer on screen, and the entry without adding one the
  // clerk did not type (a new entry, a deleted one brought back).
  const bool f3 = KoujiKokyakuWriteStoresEdits(s) && ((typed & kL) || KoujiEntryStoredAsShown(s));
  if ((here == Screen::Customer && typed == kC) || (here == Screen::Slip && !(typed & kL)) ||
      (here == Screen::Ledger && typed == kL)) {
    return "F1 登録で保存できます。";
  }
  struct Group {
    unsigned parts;
    Screen screen;
    const char* key;
  };
  std::vector<Group> groups;
  unsigned rest = typed;
  if (rest & kT) {
    groups.push_back({rest & (kC | kT), Screen::Slip, "F1 登録"});
    rest &= ~(kC | kT);
  }
  if ((rest & kC) && f3) {
    groups.push_back({rest & (kC | kL), Screen::Ledger, "F3 工事元帳と顧客を登録"});
    rest &= ~(kC | kL);
  }
  if (rest & kC) {
    groups.push_back({kC, here == Screen::Slip ? Screen::Slip : Screen::Customer, "F1 登録"});
  }
  if (rest & kL) groups.push_back({kL, Screen::Ledger, "F1 工事元帳のみ登録"});
  const auto where = [&](const Group& g) {
    std::string at;
    if (g.screen != here) {
      at = g.screen == Screen::Customer ? "顧客基本情報"
           : g.screen == Screen::Slip   ? "点検伝票登録"
                                        : "浄化槽工事登録";
      at += "の画面の ";
    }
    return at + g.key;
  };
  std::string hint;
  for (const Group& g : groups) {
    if (!hint.empty()) hint += "、";
    const std::string at = where(g);
    if (groups.size() > 1) hint += PartNames(g.parts) + (at[0] == 'F' ? "は " : "は");
    hint += at;
  }
  return hint + "で保存できます。";
}

// "顧客・点検伝票の変更が登録されていません。F1 登録で保存できます。" and what
// going on without them does (`then`).
std::string UnsavedWarning(Session::State& s, unsigned typed, std::string_view then) {
  return PartNames(typed) + "の変更が登録されていません。" + SaveHint(s, typed) + std::string(then);
}

}  // namespace

bool AskFirst(Session::State& s, std::string question) {
  if (s.noticeBeforeCommand == question) return false;
  s.SetNotice(std::move(question));
  return true;
}

bool MoveHeldForTyping(Session::State& s, unsigned parts, MoveBy by) {
  // A click on a row lands here with the caret still in the edit it typed
  // in: that typing counts, as it would for a command. A refused value
  // keeps the move back, the notice saying why. An edit of anything else
  // (a list screen's month) is left to be stored as it is left, as before.
  if (by == MoveBy::Click) {
    const InputField* f = FindField(s.view.Focused());
    bool ours = false;
    for (const FieldTarget& t : f ? f->targets : std::array<FieldTarget, 2>{}) {
      ours |= (t.record == RecordKind::Kokyaku && (parts & kUnsavedCustomer)) ||
              (t.record == RecordKind::TenkenDenp && (parts & kUnsavedSlip)) ||
              (t.record == RecordKind::Kouji && (parts & (kUnsavedLedger | kUnsavedLedgerTyped)));
    }
    if (ours && !CommitFocusedField(s)) return true;
  }
  const unsigned typed = TypedParts(s, parts);
  return typed != 0 &&
         AskFirst(s, UnsavedWarning(s, typed,
                                    by == MoveBy::Click ? "もう一度選ぶと、登録せずに移ります。"
                                                        : "もう一度押すと、登録せずに移ります。"));
}

namespace {

std::string UnsavedWork(Session::State& s) {
  const unsigned typed = TypedParts(s, kUnsavedCustomer | kUnsavedSlip | kUnsavedLedger);
  if (typed == 0) return {};
  return UnsavedWarning(s, typed, "もう一度閉じると、登録せずに終了します。");
}

}  // namespace

void Session::State::SetNotice(std::string text, NoticeKind kind) {
  if (text == notice && kind == noticeKind) return;
  notice = std::move(text);
  noticeKind = kind;
  view.SetAlert(kNoticeLabel, kind == NoticeKind::Problem);
  view.SetText(kNoticeLabel, Utf8ToCp932(notice).value_or(std::string{}));
}

Session::Session(Store& store, const EraCalendar& eras, View& view) {
  RegisterAllScreens();
  state_ = std::make_unique<State>(*this, store, eras, view);
  InstallScreenSeams(*state_);
}

Session::~Session() = default;

void Session::ShowScreen() {
  State& s = *state_;
  for (const TabDef& t : kTabs) {
    const bool current = t.screen == s.currentScreen;
    if (!t.panel.empty()) s.view.SetVisible(t.panel, current);
    s.view.SetTabCurrent(t.label, current);
  }
}

void Session::SwitchScreen(Screen screen) {
  State& s = *state_;
  if (screen == s.currentScreen) return;
  s.currentScreen = screen;
  ShowScreen();
  // A notice speaks of what was done on the screen being left; the screen
  // shown may put its own (an empty list says why) as it refreshes.
  s.SetNotice("");
  if (s.seams.screenShown) s.seams.screenShown(*this, screen);
  FocusControl(s, FirstFocusOf(s, screen));
}

void Session::Start(const Status& opened) {
  State& s = *state_;
  View& view = s.view;
  s.currentScreen = Screen::Slip;
  ShowScreen();
  view.SetVisible("Panel_KensinSyuukinMonth", false);
  s.monthPanelShown = false;

  const EraCalendar& eras = s.eras;
  for (std::string_view e : kTodayYearEdits) view.SetText(e, TwoDigits(eras.CurrentEraYear()));
  for (std::string_view e : kTodayMonthEdits) view.SetText(e, TwoDigits(eras.Today().month));
  for (std::string_view e : kTodayDayEdits) view.SetText(e, TwoDigits(eras.Today().day));

  // The setting file is created as 255 blanks on the first start.
  if (Status st = LoadBackupFolder(s.store.DataDir(), &s.backupFolder); !st) {
    s.SetNotice(st.detail);
  }

  Company company(s.store.JisyaFile());
  if (Status st = company.Load(); !st) s.SetNotice(st.detail);
  s.jisya = company.Image();
  CompanyShow(s);

  s.tenken.Clear();
  s.kouji.Clear();
  CustomerStart(s);
  if (s.seams.started) s.seams.started(*this);
  // Said in the session's notice, not written on the label beside it, so
  // the next command clears it like any other: once the leftover bytes are
  // copied aside the file is no longer cut short.
  // A failed start-up does not hide a file cut short: both are said.
  if (!opened.ok()) {
    const std::string partial = s.store.PartialTailNotice();
    s.SetNotice(partial.empty() ? opened.detail : opened.detail + "　" + partial);
  } else if (s.notice.empty()) {
    s.SetNotice(s.store.PartialTailNotice());
  }
}

void Session::FolderChosen(std::string_view control, std::string_view path) {
  if (control == "BackupDirectoryListBox") BackupFolderChosen(*state_, std::string(path));
}

void Session::DataReplaced() {
  State& s = *state_;
  // Record numbers, counts and the index held anywhere are stale now: the
  // screens start over on the files as they are, as at start-up.
  if (Status st = ReopenDataFiles(s.store, s.jisya); !st) s.SetNotice(st.detail);
  CompanyShow(s);
  s.tenken.Clear();
  s.kouji.Clear();
  CustomerStart(s);
  if (s.seams.started) s.seams.started(*this);
}

void Session::WindowActivated() {
  State& s = *state_;
  if (s.currentScreen == Screen::Slip) FocusControl(s, "Edit_Panel_Tenken_Address");
  if (s.currentScreen == Screen::Ledger) FocusControl(s, "Edit_Kouji_Name");
}

// The control's name is copied before anything runs: a view may hand in the
// name it keeps for its focused control, which the focus move replaces.
void Session::FieldEnter(std::string_view control) {
  tankora::FieldEnter(*state_, std::string(control));
}

bool Session::FieldKeyDown(std::string_view control, Key key) {
  if (key == Key::NextScreen || key == Key::PreviousScreen) {
    // The tab beside the current one, wrapping round, chosen as a click on
    // its label chooses it: the focus leaving for the new screen commits the
    // edit typed in. The key is ours in any field, so no edit or screen's
    // own paging sees it.
    int at = 0;
    while (at < kScreenCount && kTabs[at].screen != state_->currentScreen) ++at;
    const int step = key == Key::NextScreen ? 1 : kScreenCount - 1;
    LabelClick(kTabs[(at + step) % kScreenCount].label);
    return true;
  }
  return tankora::FieldKeyDown(*state_, std::string(control), key);
}

void Session::FieldLeave(std::string_view control) {
  tankora::FieldLeave(*state_, std::string(control));
}

void Session::BoxClicked(std::string_view control) {
  tankora::BoxClicked(*state_, std::string(control));
}

void Session::LabelPress(std::string_view label) { tankora::LabelPress(*state_, label); }

void Session::LabelRelease(std::string_view label) { tankora::LabelRelease(*state_, label); }

void Session::LabelClick(std::string_view label) {
  State& s = *state_;
  if (const TabDef* tab = TabOfLabel(label)) {
    if (s.commandDepth == 0) SwitchScreen(tab->screen);
    return;
  }
  if (label == "Label_Manual") {
    // A click that opens nothing would look broken: say where the manual
    // should be, or that nothing here can show a PDF.
    std::string where;
    switch (s.view.OpenDocument("Manual/Manual.pdf", &where)) {
      case DocumentOpen::Opened:
        s.SetNotice("");
        break;
      case DocumentOpen::Missing:
        s.SetNotice("マニュアルがありません。" + where + " にあるはずです。");
        break;
      case DocumentOpen::NoViewer:
        s.SetNotice("マニュアル " + where +
                    " を開けませんでした。PDF を表示するアプリケーションが必要です。");
        break;
    }
    return;
  }
  tankora::LabelClick(s, label);
}

Screen Session::CurrentScreen() const { return state_->currentScreen; }

Status Session::SaveCompany() {
  State& s = *state_;
  Company company(s.store.JisyaFile());
  // The reserved fields go back as they are on disk; only the used ones are ours.
  (void)company.Load();
  const Record before = company.Image();
  for (CompanyField f : kCompanyFields) company.Set(f, s.jisya.Get(JisyaFieldOf(f)));
  // Every committed company edit calls this; one that changed nothing
  // writes nothing.
  if (company.Image() == before && s.store.JisyaCount() >= 1) return Status::Ok();
  Status st = company.Save();
  // The file's own words (path and reason) after ours: a company edit on a
  // list screen saves at once, and an English line alone says nothing.
  if (!st) s.SetNotice("会社情報を保存できませんでした: " + st.detail);
  if (st) s.companySaveFailed = false;
  return st;
}

bool Session::QuitRequested() const { return state_->quitRequested; }

bool Session::TakeQuitRequest() {
  const bool asked = state_->quitRequested;
  state_->quitRequested = false;
  return asked;
}

Session::CloseAnswer Session::CloseRequested() {
  State& s = *state_;
  // The company record is written as the list screens show it: a company
  // edit the caret is still in counts, as it would for a command. Typing
  // that is refused keeps the window open, the notice saying why; the edit
  // shows the stored value again, so the next close goes through.
  if (!CommitFocusedField(s)) return CloseAnswer::StayOpen;
  const Status saved = SaveCompany();
  if (saved) {
    // Customers, slips and entries reach the disk only by their commands;
    // typing none of them stored is named once, and the next close (the
    // button or F9, with the warning still on the line) leaves it. What a
    // command found on the line before it is no guide here: after F1 and
    // more typing it would still hold the old warning.
    const std::string unsaved = UnsavedWork(s);
    if (!unsaved.empty() && s.notice != unsaved) {
      s.SetNotice(unsaved);
      return CloseAnswer::StayOpen;
    }
    return CloseAnswer::Close;
  }
  if (s.companySaveFailed) return CloseAnswer::CloseLosingCompany;
  // Closing is always allowed, but not before the user has seen that the
  // company record was not written and what a second close gives up.
  s.companySaveFailed = true;
  s.SetNotice("会社情報を保存できませんでした（" + saved.detail +
              "）。もう一度閉じると、提出先・住所・会社名・氏名・TEL・印刷位置の変更を保存せずに終了します。");
  return CloseAnswer::StayOpen;
}

std::string Session::Notice() const { return state_->notice; }

}  // namespace tankora
