// The state behind a Session: the working records, the screen in front, the
// input framework's flags and the customer list. Screen modules include this
// to reach what they work on; the Qt layer does not need it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "shell/session.h"
#include "store/record_layout.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {

// Where the customer screen reaches the slip and ledger screens. Each hook is
// optional; the slip and ledger modules set them when they register.
struct ScreenSeams {
  // KokyakuShow step 1: copy the customer's construction fields into the
  // ledger record (KoujiFromKokyaku).
  std::function<void(Session&)> customerShown;
  // A row was selected: slip header, newest ledger entry, slip history.
  std::function<void(Session&)> customerSelected;
  // F8 追加 emptied the customer: slip screen and ledger begin new entries.
  std::function<void(Session&)> customerCleared;
  // The selected row was clicked again: the ledger begins a new entry.
  std::function<void(Session&)> rowReselected;
  // A tab made this screen current: the screen refreshes itself.
  std::function<void(Session&, Screen)> screenShown;
  // End of start-up, and again after the data files were replaced (a
  // restore, the clean-up): the slip and ledger screens draw their empty
  // entries, the backup screen its counts.
  std::function<void(Session&)> started;
  // F1 印刷 of a list screen: prints the view in front of that screen. Empty
  // until the reports are installed; the screens then say so.
  std::function<void(Session&, Screen)> listPrint;
};

// Chains `then` onto a seam, after whatever the seam ran before: the slip
// and ledger modules each add their part to the same customer seams.
inline void ChainSeam(std::function<void(Session&)>& seam, void (*then)(Session&)) {
  seam = [before = std::move(seam), then](Session& s) {
    if (before) before(s);
    then(s);
  };
}

enum class NoticeKind { Problem, Info };

inline constexpr int kScreenCount = 6;
inline constexpr int kListRows = 25;

struct Session::State {
  State(Session& s, Store& st, const EraCalendar& e, View& v)
      : session(s), store(st), eras(e), view(v) {}

  Session& session;
  Store& store;
  const EraCalendar& eras;
  View& view;

  // Working records: what the screens show and the commands write.
  Record kokyaku{KokyakuLayout()};
  Record tenken{TenkenDenpLayout()};
  Record kouji{KoujiLayout()};
  Record jisya{JisyaLayout()};

  Screen currentScreen = Screen::Slip;

  // Input framework.
  bool enterCommitted = false;
  std::array<int, kScreenCount> commandCursor{-1, -1, -1, -1, -1, -1};
  int commandDepth = 0;  // > 0 while a command runs: no second command starts
  // The commit a screen's afterCommit hears of changed the field's own
  // record (its first target), rather than storing what it held already.
  bool commitChanged = false;

  // Customer list. `slots` are the record numbers listed, in list order: the
  // live-customer index, or every record when deleted ones are shown too.
  // Slot slots.size() is the new-customer row.
  std::vector<int> slots;
  int kokyakuPageTop = 0;
  int currentSlot = -1;   // slot of the customer in the edits; -1 before start-up
  int loadedRecNo = 0;    // its record number, 0 for a customer not stored yet
  bool showDeleted = false;
  bool monthPanelShown = false;

  // Construction ledger: the entry on screen (KoujiCount + 1 while it is a
  // new one), and whether a ledger command is showing a customer itself, so
  // the row-selection hook must leave the entry alone.
  int currentKoujiNo = 0;
  bool koujiEntryHeld = false;
  // A new entry starts as the customer's twins, or as the entry the selected
  // row showed: `koujiNewImage`. It holds typing of its own once a ledger
  // edit changed it and it differs from that start (the customer screen's
  // typing reaches the twins too, but is named as the customer's).
  // `koujiTyped`: a ledger edit changed the entry on screen, new or stored,
  // since it began.
  std::string koujiNewImage;
  bool koujiTyped = false;

  // Inspection slip screen: the slip in the entry line (TenkenCount + 1
  // while it is a new one, 0 before the first is begun) and the current
  // customer's history, TenkenRireki, newest stored first, with the index of
  // its first row shown and the selected row (-1 none). `slipAlerts` are the
  // frames a refused register marked red, plain again at the next command.
  int currentTenkenNo = 0;
  std::vector<int> tenkenRireki;
  int tenkenTop = 0;
  int tenkenRow = -1;
  std::vector<std::string> slipAlerts;

  // Inspection list screen (点検伝票一覧): the view in front (0 monthly
  // report, 1 one customer's slips, 2 schedule), its selection and the index
  // of the first entry shown. The slip views list slip numbers; the schedule
  // lists customer record numbers, with `tenkenYoteiDone` beside them and,
  // when `tenkenYoteiNotDoneFirst`, those still to visit first.
  int tenkenItiranMode = 0;
  std::vector<int> tenkenItiran;
  std::vector<bool> tenkenYoteiDone;
  int tenkenItiranTop = 0;
  bool tenkenYoteiNotDoneFirst = false;

  // Contract list screen (浄化槽工事一覧): the view in front (0 contract
  // monthly report, 1 contract end, 2 collection), its customers and the
  // first shown; `syuukinMonth` is the month whose amounts the collection
  // view shows.
  int keiyakuListMode = 0;
  std::vector<int> keiyakuItiran;
  int keiyakuItiranTop = 0;
  int syuukinMonth = 0;

  // The backup folder setting (Data/BackupFolder.500), read at start-up.
  std::string backupFolder;
  // The backup screen: the direction, the files chosen, the clean-up and
  // the years it keeps slips, and a restore waiting for its confirmation.
  bool backupFromUsb = false;
  std::array<bool, 3> backupChosen{true, true, true};
  bool backupCleanUp = false;
  int backupKeepYears = 5;
  bool backupConfirmPending = false;

  bool quitRequested = false;
  // A close found the company record could not be written; the next closes.
  bool companySaveFailed = false;
  std::string notice;  // UTF-8
  NoticeKind noticeKind = NoticeKind::Problem;
  // The notice as it stood when the running command began (RunCommand
  // clears the notice first): where a command finds the question it asked.
  std::string noticeBeforeCommand;

  ScreenSeams seams;

  Record* RecordOf(RecordKind kind) {
    switch (kind) {
      case RecordKind::Kokyaku: return &kokyaku;
      case RecordKind::TenkenDenp: return &tenken;
      case RecordKind::Kouji: return &kouji;
      case RecordKind::Jisya: return &jisya;
      case RecordKind::None: break;
    }
    return nullptr;
  }
  int& CursorOf(Screen screen) { return commandCursor[static_cast<std::size_t>(screen)]; }

  // The selected list row: the current slot's row on the page shown, or -1
  // when that slot is on another page.
  int KokyakuRow() const {
    const int row = currentSlot - kokyakuPageTop;
    return (currentSlot >= 0 && row >= 0 && row < kListRows) ? row : -1;
  }
  int SlotCount() const { return static_cast<int>(slots.size()); }

  // Shows a notice (UTF-8; "" clears it) in Label_Notice: in red for what
  // failed, was refused or asks for attention, in black for what went well
  // or is only so (an empty month).
  void SetNotice(std::string text, NoticeKind kind = NoticeKind::Problem);
};

// The working records a move to another record replaces: a move names only
// those, so paging the slip history says nothing of the customer's typing.
inline constexpr unsigned kUnsavedCustomer = 1;
inline constexpr unsigned kUnsavedSlip = 2;
inline constexpr unsigned kUnsavedLedger = 4;
// The ledger entry only for what a ledger edit typed into it: the customer
// screen's typing reaches the entry's twins too, but a move made there that
// names the customer, or a delete that stores it, has that typing covered.
inline constexpr unsigned kUnsavedLedgerTyped = 8;

// Commands that would lose something ask by saying `question` and doing
// nothing (true); the same command again right after, with no other notice
// in between, goes ahead (false).
bool AskFirst(Session::State& s, std::string question);

enum class MoveBy { Key, Click };
// Before a move replaces the working records `parts` (another customer row,
// a history page or row, a ledger page): true when the move must do nothing,
// because they hold typing no command stored and the notice now says so.
// The same move again right after, with no other notice in between, goes
// ahead (the close's pattern). A click first commits the edit the caret is in.
bool MoveHeldForTyping(Session::State& s, unsigned parts, MoveBy by);

}  // namespace tankora
