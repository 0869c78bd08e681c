#include "shell/input_framework.h"

#include <cstdio>

#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

// Keeps a command from starting while another one runs (a focus change made
// by a command reaches the framework again before the command returns).
class CommandScope final {
 public:
  explicit CommandScope(Session::State& s) : s_(s) { ++s_.commandDepth; }
  ~CommandScope() { --s_.commandDepth; }
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;

 private:
  Session::State& s_;
};

const InputField* RadioOfKind(Screen screen, FieldKind kind) {
  const ScreenDef* def = FindScreen(screen);
  if (!def) return nullptr;
  for (const InputField& f : def->fields) {
    if (f.kind == kind) return &f;
  }
  return nullptr;
}

// `next`/`previous` as a control name: kRadio becomes whichever button of the
// screen's pair is checked.
std::string_view ResolveRadio(Session::State& s, Screen screen, std::string_view name) {
  if (name != kRadio) return name;
  const InputField* only = RadioOfKind(screen, FieldKind::RadioOnly);
  const InputField* haisui = RadioOfKind(screen, FieldKind::RadioHaisui);
  if (only && (s.view.Checked(only->control) || !haisui)) return only->control;
  return haisui ? haisui->control : std::string_view{};
}

// The same, then past any sub-panel of the screen that covers the control.
std::string_view Resolve(Session::State& s, Screen screen, std::string_view name) {
  const std::string_view target = ResolveRadio(s, screen, name);
  const ScreenDef* def = FindScreen(screen);
  if (target.empty() || !def || !def->redirect) return target;
  return def->redirect(s.session, target);
}

// The month and day fields that follow a year field in its record (every
// date of every record is stored as year, month, day in a row).
struct DateParts {
  std::string_view month;
  std::string_view day;
};

DateParts DateOf(Session::State& s, const InputField& f) {
  if (f.kind != FieldKind::YearPart) return {};
  const FieldTarget& t = f.targets[0];
  const Record* rec = s.RecordOf(t.record);
  if (!rec || t.field < 0 || t.field + 2 >= rec->Layout().FieldCount()) return {};
  return {rec->Get(t.field + 1), rec->Get(t.field + 2)};
}

// A committed month or day can move its date into another era (H31 in March,
// R1 in June): the year of the date is shown again, with its mirrors, as a
// reload would show it.
void ReshowYearOfDate(Session::State& s, const InputField& f) {
  const FieldTarget& t = f.targets[0];
  if (t.record == RecordKind::None || t.field < 0) return;
  const int back = f.kind == FieldKind::MonthPart ? 1 : 2;
  const ScreenDef* def = FindScreen(f.screen);
  if (!def) return;
  for (const InputField& y : def->fields) {
    if (y.kind != FieldKind::YearPart || y.targets[0].record != t.record ||
        y.targets[0].field != t.field - back) {
      continue;
    }
    ShowField(s, y);
    for (std::string_view m : y.mirrors) {
      if (const InputField* mf = m.empty() ? nullptr : FindField(m)) ShowField(s, *mf);
    }
    return;
  }
}

std::string TwoDigitPart(std::string_view text, long low, long high) {
  const std::string t = TrimBlanks(text);
  const long v = ValueOf(t);
  if (v < low || v > high) return FillBlanks(2);
  return PadField(t, TextAlign::Right, 2);
}

void YearRefusedNotice(Session::State& s, const InputField& f, std::string_view typed) {
  const int ahead = YearsAheadOf(f);
  const EraCalendar& eras = s.eras;
  char range[64];
  std::snprintf(range, sizeof range, "%d", eras.CurrentEraYear() + ahead);
  s.SetNotice("年「" + Cp932ToUtf8(TrimBlanks(typed)) + "」は受け付けられません。入力できるのは" +
              Cp932ToUtf8(EraCalendar::Name(eras.CurrentEra())) + range + "年（" +
              std::to_string(eras.Today().year + ahead) + "年）までです。年は元のままです。");
}

// A year edit's commit keeps the year its record holds in two cases. The
// edit still shows what the record holds: the record's bytes stay as they
// are, so a year the edit cannot show (a foreign one, one past the horizon)
// survives Enter or a command passing over it, instead of turning into the
// blanks it was shown as. The text typed is a year the rules refuse: the
// record keeps its year, the edit shows it again and the notice line says
// why. False in the second case.
bool YearCommitKeeps(Session::State& s, const InputField& f, std::string_view text,
                     const DateParts& date, CommittedValue& v) {
  const FieldTarget& t = f.targets[0];
  const Record* rec = s.RecordOf(t.record);
  if (!rec || t.field < 0) return true;
  const std::string_view held = rec->Get(t.field);
  const std::string heldShown = s.eras.YearForDisplay(held, date.month, date.day, YearsAheadOf(f));
  const std::string typed = TrimBlanks(text);
  const bool unchanged = typed == TrimBlanks(heldShown);
  const bool refused = !unchanged && !typed.empty() && TrimBlanks(v.stored).empty();
  if (unchanged || refused) v = {heldShown, std::string(held)};
  if (refused) YearRefusedNotice(s, f, text);
  return !refused;
}

// A month, day, count or amount edit's commit, as a year's: text that still
// shows what the record holds keeps the record's bytes (a foreign "5 " or
// "13" survives Enter passing over it), and text the field cannot take is
// refused with a notice, so that a mistyped "13" or "abc" does not silently
// blank what the record had. Emptying the edit clears it, and so does a 0
// amount. False when refused.
bool NumberCommitKeeps(Session::State& s, const InputField& f, std::string_view text,
                       CommittedValue& v) {
  const FieldTarget& t = f.targets[0];
  const Record* rec = s.RecordOf(t.record);
  if (!rec || t.field < 0) return true;
  const std::string_view held = rec->Get(t.field);
  const std::string typed = TrimBlanks(text);
  const bool unchanged = typed == TrimBlanks(held);
  const bool amount = f.kind == FieldKind::Amount;
  const bool unfit = amount ? typed.find_first_of("0123456789") == std::string::npos
                            : TrimBlanks(v.stored).empty();
  const bool refused = !unchanged && !typed.empty() && unfit;
  if (unchanged || refused) v = {std::string(held), std::string(held)};
  if (refused && amount) {
    s.SetNotice("「" + Cp932ToUtf8(typed) + "」は数ではないため受け付けられません。元のままです。");
  } else if (refused) {
    const bool month = f.kind == FieldKind::MonthPart;
    const std::string part = month ? "月" : "日";
    s.SetNotice(part + "「" + Cp932ToUtf8(typed) + "」は受け付けられません。入力できるのは1から" +
                (month ? "12" : "31") + "までです。" + part + "は元のままです。");
  }
  return !refused;
}

}  // namespace

bool IsEditKind(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text:
    case FieldKind::Reading:
    case FieldKind::Amount:
    case FieldKind::YearPart:
    case FieldKind::MonthPart:
    case FieldKind::DayPart:
      return true;
    default:
      return false;
  }
}

bool IsBoxKind(FieldKind kind) {
  switch (kind) {
    case FieldKind::FlagBox:
    case FieldKind::MonthBox:
    case FieldKind::RadioOnly:
    case FieldKind::RadioHaisui:
    case FieldKind::Check:
      return true;
    default:
      return false;
  }
}

void FrameOn(View& view, std::string_view shape) {
  if (!shape.empty() && view.Frame(shape) != FrameState::Selected) {
    view.SetFrame(shape, FrameState::Selected);
  }
}

void FrameOff(View& view, std::string_view shape) {
  if (!shape.empty() && view.Frame(shape) != FrameState::Plain) {
    view.SetFrame(shape, FrameState::Plain);
  }
}

void FocusControl(Session::State& s, std::string_view control) {
  if (!control.empty()) s.view.Focus(control);
}

std::string FirstFocusOf(Session::State& s, Screen screen) {
  const ScreenDef* def = FindScreen(screen);
  if (def && !def->fields.empty()) {
    if (def->firstFocusNow) return std::string(def->firstFocusNow(s.session));
    if (!def->firstFocus.empty()) return std::string(def->firstFocus);
  }
  return std::string(kParkedFocus);
}

int YearsAheadOf(const InputField& field) {
  // The contract lists look for contracts signed or ending in a month, as
  // far ahead as a contract's dates go; their report date is a day like any.
  if (field.screen == Screen::KeiyakuList && field.kind == FieldKind::YearPart &&
      field.control != "Edit_HosyuKeiyaku_Geppou_Year") {
    return kYearsAheadContract;
  }
  switch (field.targets[0].record) {
    case RecordKind::Kokyaku:
    case RecordKind::Kouji:
      return kYearsAheadContract;
    default:
      return kYearsAheadVisit;
  }
}

CommittedValue NormalizeEdit(const InputField& field, std::string_view text,
                             const EraCalendar& eras, std::string_view month,
                             std::string_view day) {
  const std::size_t w = field.width;
  switch (field.kind) {
    case FieldKind::Text: {
      std::string v = PadField(text, TextAlign::Left, w);
      return {v, v};
    }
    case FieldKind::Reading: {
      std::string v = PadField(text, TextAlign::Right, w);
      return {v, v};
    }
    case FieldKind::Amount: {
      std::string v = ValueOf(text) == 0 ? FillBlanks(w) : PadField(text, TextAlign::Right, w);
      return {v, v};
    }
    case FieldKind::YearPart: {
      // However the year was typed ("平25", "h25", "R8"), it is shown as the
      // stored year is shown when the record is loaded again: a commit and a
      // reload never disagree about what the edit says.
      const int ahead = YearsAheadOf(field);
      std::string stored = eras.YearToStored(text, ahead);
      return {eras.YearForDisplay(stored, month, day, ahead), std::move(stored)};
    }
    case FieldKind::MonthPart: {
      std::string v = TwoDigitPart(text, 1, 12);
      return {v, v};
    }
    case FieldKind::DayPart: {
      std::string v = TwoDigitPart(text, 1, 31);
      return {v, v};
    }
    default:
      return {std::string(text), std::string(text)};
  }
}

bool CommitField(Session::State& s, const InputField& f, bool byEnter) {
  View& view = s.view;
  if (f.kind == FieldKind::Command) return true;
  const Record* own = s.RecordOf(f.targets[0].record);
  const std::string before = own ? std::string(own->Bytes()) : std::string();
  bool taken = true;
  if (IsEditKind(f.kind)) {
    const std::string text = view.Text(f.control);
    const DateParts date = DateOf(s, f);
    CommittedValue v = NormalizeEdit(f, text, s.eras, date.month, date.day);
    if (f.kind == FieldKind::YearPart) taken = YearCommitKeeps(s, f, text, date, v);
    if (f.kind == FieldKind::MonthPart || f.kind == FieldKind::DayPart ||
        f.kind == FieldKind::Amount) {
      taken = NumberCommitKeeps(s, f, text, v);
    }
    if (v.shown != text) view.SetText(f.control, v.shown);
    for (std::string_view m : f.mirrors) {
      if (!m.empty()) view.SetText(m, v.shown);
    }
    for (const FieldTarget& t : f.targets) {
      if (Record* rec = s.RecordOf(t.record); rec && t.field >= 0) rec->Set(t.field, v.stored);
    }
  } else if (f.kind == FieldKind::FlagBox || f.kind == FieldKind::MonthBox) {
    const bool on = view.Checked(f.control);
    const int pos = f.kind == FieldKind::MonthBox ? f.month - 1 : 0;
    for (std::string_view m : f.mirrors) {
      if (!m.empty()) view.SetChecked(m, on);
    }
    for (const FieldTarget& t : f.targets) {
      Record* rec = s.RecordOf(t.record);
      if (!rec || t.field < 0) continue;
      // A month another program marked with its own byte is left as it is
      // while its box stays checked; a box ticked here writes "1".
      if (f.kind == FieldKind::MonthBox && on && rec->MonthPlanned(t.field, f.month)) continue;
      rec->SetFlagAt(t.field, pos, on);
    }
  } else if (f.kind == FieldKind::RadioOnly || f.kind == FieldKind::RadioHaisui) {
    const bool checked = view.Checked(f.control);
    if (!checked && !byEnter) return true;
    if (!checked) {
      // Enter stores the focused button's value, so that button is the one shown.
      view.SetChecked(f.control, true);
      const FieldKind other =
          f.kind == FieldKind::RadioOnly ? FieldKind::RadioHaisui : FieldKind::RadioOnly;
      if (const InputField* partner = RadioOfKind(f.screen, other)) {
        view.SetChecked(partner->control, false);
      }
    }
    const bool haisui = f.kind == FieldKind::RadioHaisui;
    // mirrors[0]: the button of the same value on the other screen,
    // mirrors[1]: its partner there.
    if (!f.mirrors[0].empty()) view.SetChecked(f.mirrors[0], true);
    if (!f.mirrors[1].empty()) view.SetChecked(f.mirrors[1], false);
    for (const FieldTarget& t : f.targets) {
      if (Record* rec = s.RecordOf(t.record); rec && t.field >= 0) {
        rec->SetFlagAt(t.field, 0, haisui);
      }
    }
  }
  if (f.kind == FieldKind::MonthPart || f.kind == FieldKind::DayPart) ReshowYearOfDate(s, f);
  s.commitChanged = own && own->Bytes() != before;
  if (const ScreenDef* def = FindScreen(f.screen); def && def->afterCommit) {
    def->afterCommit(s.session, f);
  }
  return taken;
}

void CommandBarPlain(Session::State& s, Screen screen) {
  const ScreenDef* def = FindScreen(screen);
  if (!def) return;
  for (const CommandDef& c : def->commands) {
    if (c.cursor >= 0) FrameOff(s.view, c.shape);
  }
}

void CommandCursorDraw(Session::State& s, Screen screen) {
  const ScreenDef* def = FindScreen(screen);
  if (!def) return;
  const int cursor = s.CursorOf(screen);
  for (const CommandDef& c : def->commands) {
    if (c.cursor < 0 || c.shape.empty()) continue;
    if (c.cursor == cursor) {
      FrameOn(s.view, c.shape);
    } else {
      FrameOff(s.view, c.shape);
    }
  }
}

namespace {

// A field the caret arrives in shows its bare value (a commit pads it to its
// width, and an edit full of blanks would refuse every further character)
// and a selected frame.
void ShowArrived(Session::State& s, const InputField& f) {
  if (IsEditKind(f.kind)) {
    const std::string text = s.view.Text(f.control);
    const std::string bare = TrimBlanks(text);
    if (bare != text) s.view.SetText(f.control, bare);
  }
  FrameOn(s.view, f.frame);
}

}  // namespace

void FieldEnter(Session::State& s, std::string_view control) {
  s.enterCommitted = false;
  const InputField* f = FindField(control);
  if (!f) return;
  // A field of a screen that is not in front lies under that screen's panel
  // (Tab reaches it all the same): typing there would change a record
  // nobody sees, so the focus goes to the screen in front, storing nothing.
  if (f->screen != s.currentScreen) {
    const std::string to = FirstFocusOf(s, s.currentScreen);
    const InputField* tf = FindField(to);
    if (!tf || tf->screen == s.currentScreen) {
      s.enterCommitted = true;
      FocusControl(s, to);
      return;
    }
  }
  // Reached under a sub-panel by the toolkit's own focus moves (Tab): the
  // focus goes on at once, and leaving stores nothing, as nothing was typed.
  if (const ScreenDef* def = FindScreen(f->screen); def && def->redirect) {
    const std::string_view to = def->redirect(s.session, f->control);
    if (to != f->control) {
      s.enterCommitted = true;
      FocusControl(s, to);
      return;
    }
  }
  if (f->kind == FieldKind::Command) {
    // Reached by Tab rather than by Enter from the field before, nothing
    // would be selected: an invisible caret where Enter does nothing. It
    // arrives as by Enter; a cursor already set keeps its value.
    const ScreenDef* def = FindScreen(f->screen);
    if (def && def->enterSelectsFirstCommand && s.CursorOf(f->screen) < 0) {
      s.CursorOf(f->screen) = 0;
    }
    CommandCursorDraw(s, f->screen);
    return;
  }
  ShowArrived(s, *f);
}

void FieldLeave(Session::State& s, std::string_view control) {
  const InputField* f = FindField(control);
  if (!f) return;
  if (f->kind == FieldKind::Command) {
    // The selected frame says "Enter here runs this"; once the focus is
    // elsewhere Enter does something else, so the bar goes plain. The cursor
    // keeps its value for the next arrival.
    CommandBarPlain(s, f->screen);
    return;
  }
  if (!s.enterCommitted) CommitField(s, *f);
  FrameOff(s.view, f->frame);
}

void BoxClicked(Session::State& s, std::string_view control) {
  const InputField* f = FindField(control);
  if (!f || !IsBoxKind(f->kind)) return;
  CommitField(s, *f);
}

void RunCommand(Session::State& s, const CommandDef& command) {
  if (s.commandDepth > 0 || !command.run) return;
  CommandScope scope(s);
  // A command that asked for a confirmation in the notice line finds its
  // question here when nothing else was said in between.
  s.noticeBeforeCommand = s.notice;
  s.SetNotice({});
  const std::string focused = s.view.Focused();
  const InputField* f = FindField(focused);
  const bool commit = f && f->kind != FieldKind::Command && f->kind != FieldKind::Check;
  // A refused value stops the command: it would store something other than
  // what the field showed when the key was pressed. The notice says why.
  const bool refused = commit && !CommitField(s, *f);
  // The command may move the focus; leaving this field must not store its
  // text again into whatever record the command has loaded meanwhile.
  if (commit) s.enterCommitted = true;
  if (!refused) command.run(s.session);
  // Still in the same field: it reads as if the caret had just arrived (the
  // commit above left it padded with blanks, which would refuse typing), its
  // whole text selected, and later typing there is committed again.
  if (commit && s.view.Focused() == focused) {
    s.enterCommitted = false;
    ShowArrived(s, *f);
    s.view.Focus(focused);
  }
}

bool CommitFocusedField(Session::State& s) {
  const InputField* f = FindField(s.view.Focused());
  if (!f || f->kind == FieldKind::Command || f->kind == FieldKind::Check) return true;
  if (s.enterCommitted) return true;
  const bool stored = CommitField(s, *f);
  // The caret stays: the field reads as just arrived at, so that what is
  // typed on is committed again when it is left.
  ShowArrived(s, *f);
  return stored;
}

bool FieldKeyDown(Session::State& s, std::string_view control, Key key) {
  if (s.commandDepth > 0) return false;
  const InputField* f = FindField(control);
  // Only the screen in front takes keys; a field of another one is never
  // focused for long (FieldEnter sends the focus on), so this is a guard.
  if (f && f->screen != s.currentScreen) return true;
  const Screen screen = s.currentScreen;
  const ScreenDef* def = FindScreen(screen);

  if (key == Key::Home) {
    if (!f) return false;
    const std::string_view previous = Resolve(s, screen, f->previous);
    if (previous.empty()) return false;
    FocusControl(s, previous);
    return true;
  }

  if (key == Key::Enter) {
    if (!f) return false;
    if (f->kind == FieldKind::Command) {
      // A field that clears its cursor runs its first command on every Enter,
      // not only on the first one after the cursor was set.
      const bool clears = def && def->commandFieldClearsCursor;
      const CommandDef* c = FindCommandAtCursor(screen, clears ? 0 : s.CursorOf(screen));
      if (clears) {
        s.CursorOf(screen) = -1;
        CommandCursorDraw(s, screen);
      }
      if (c) RunCommand(s, *c);
      return true;
    }
    s.enterCommitted = true;
    CommitField(s, *f, /*byEnter=*/true);
    const std::string_view next = Resolve(s, screen, f->next);
    const InputField* nf = next.empty() ? nullptr : FindField(next);
    if (nf && nf->kind == FieldKind::Command && def && def->enterSelectsFirstCommand) {
      s.CursorOf(nf->screen) = 0;
    }
    FocusControl(s, next);
    // The focus did not move (no next control): the field stays open for
    // typing, and leaving it must commit again.
    if (s.view.Focused() == control) s.enterCommitted = false;
    return true;
  }

  const CommandDef* c = FindCommand(screen, key);
  if (!c) return false;
  RunCommand(s, *c);
  return true;
}

void LabelPress(Session::State& s, std::string_view label) {
  const CommandDef* c = FindCommandByLabel(label);
  if (c && c->framed) FrameOn(s.view, c->shape);
}

void LabelRelease(Session::State& s, std::string_view label) {
  const CommandDef* c = FindCommandByLabel(label);
  if (c && c->framed) FrameOff(s.view, c->shape);
}

bool LabelClick(Session::State& s, std::string_view label) {
  if (const CommandDef* c = FindCommandByLabel(label)) {
    RunCommand(s, *c);
    return true;
  }
  if (s.commandDepth > 0) return false;
  // A row chosen is a command too: what the line said before is past, kept
  // only for a move that warned and finds its warning there.
  s.noticeBeforeCommand = s.notice;
  s.SetNotice({});
  for (int i = 0; i < kScreenCount; ++i) {
    const ScreenDef* def = FindScreen(static_cast<Screen>(i));
    if (def && def->labelClick && def->labelClick(s.session, label)) return true;
  }
  return false;
}

namespace {

void ShowFieldWithFocus(Session::State& s, const InputField& f, std::string_view focused) {
  const FieldTarget& t = f.targets[0];
  const Record* rec = s.RecordOf(t.record);
  if (!rec || t.field < 0) return;
  View& view = s.view;
  switch (f.kind) {
    case FieldKind::YearPart: {
      const int fc = rec->Layout().FieldCount();
      const std::string_view month = t.field + 1 < fc ? rec->Get(t.field + 1) : std::string_view{};
      const std::string_view day = t.field + 2 < fc ? rec->Get(t.field + 2) : std::string_view{};
      std::string text = s.eras.YearForDisplay(rec->Get(t.field), month, day, YearsAheadOf(f));
      view.SetText(f.control, f.control == focused ? TrimBlanks(text) : text);
      break;
    }
    case FieldKind::Text:
    case FieldKind::Reading:
    case FieldKind::Amount:
    case FieldKind::MonthPart:
    case FieldKind::DayPart: {
      const std::string_view text = rec->Get(t.field);
      view.SetText(f.control, f.control == focused ? TrimBlanks(text) : std::string(text));
      break;
    }
    case FieldKind::FlagBox:
      view.SetChecked(f.control, rec->FlagAt(t.field));
      break;
    case FieldKind::MonthBox:
      view.SetChecked(f.control, rec->MonthPlanned(t.field, f.month));
      break;
    case FieldKind::RadioOnly:
      view.SetChecked(f.control, !rec->FlagAt(t.field));
      break;
    case FieldKind::RadioHaisui:
      view.SetChecked(f.control, rec->FlagAt(t.field));
      break;
    case FieldKind::Command:
    case FieldKind::Check:
      break;
  }
}

}  // namespace

void ShowField(Session::State& s, const InputField& field) {
  ShowFieldWithFocus(s, field, s.view.Focused());
}

void ShowRecordFields(Session::State& s, Screen screen, RecordKind record) {
  const ScreenDef* def = FindScreen(screen);
  if (!def) return;
  const std::string focused = s.view.Focused();
  for (const InputField& f : def->fields) {
    if (f.targets[0].record == record) ShowFieldWithFocus(s, f, focused);
  }
}

}  // namespace tankora
