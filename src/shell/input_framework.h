// The input framework: one implementation of the focus, key, commit and
// command-label events for every screen, driven by the screens' tables.
#pragma once

#include <string>
#include <string_view>

#include "shell/screen_def.h"
#include "shell/session_state.h"

namespace tankora {

// The text a field shows and the bytes its targets receive after a commit.
struct CommittedValue {
  std::string shown;
  std::string stored;
};

// How many years past today's a year part takes and shows: a slip's visit
// next year at most, the dates of customers and ledger entries ten years on.
int YearsAheadOf(const InputField& field);

// The commit rule of an edit's kind applied to its text (edits only). A year
// part shows its year as a stored year is shown, in the era of its date:
// `month` and `day` are that date's (blank: the end of the year).
CommittedValue NormalizeEdit(const InputField& field, std::string_view text,
                             const EraCalendar& eras, std::string_view month = {},
                             std::string_view day = {});

bool IsEditKind(FieldKind kind);
bool IsBoxKind(FieldKind kind);

void FieldEnter(Session::State& s, std::string_view control);
bool FieldKeyDown(Session::State& s, std::string_view control, Key key);
void FieldLeave(Session::State& s, std::string_view control);
void BoxClicked(Session::State& s, std::string_view control);

// Normalises the control's value and stores it into the control, its mirrors
// and its targets. `byEnter` matters for radio buttons only: Enter stores the
// focused button's value, a leave or click only a checked button's. False
// when the value typed was refused (a year out of range): the targets keep
// what they held, the control shows it again and the notice says why.
bool CommitField(Session::State& s, const InputField& field, bool byEnter = false);

// Stores what the focused edit holds, as leaving it would, and leaves the
// caret there: for a close, which writes what the screens show. False when
// the value was refused (the notice says why).
bool CommitFocusedField(Session::State& s);

// Runs a command the way a key or a label click does: the focused field is
// committed first, so what the user typed is part of what the command sees.
void RunCommand(Session::State& s, const CommandDef& command);

// Draws the command bar of a screen: the frame at its CommandCursor selected,
// all others plain.
void CommandCursorDraw(Session::State& s, Screen screen);
// Draws every frame of a screen's command bar plain (the cursor is kept).
void CommandBarPlain(Session::State& s, Screen screen);

// Label events (command labels, then screen labels).
void LabelPress(Session::State& s, std::string_view label);
void LabelRelease(Session::State& s, std::string_view label);
bool LabelClick(Session::State& s, std::string_view label);

// Shows a record field in its control by the control's kind (years in their
// era form); the focused edit shows its bare text, as after FieldEnter.
void ShowField(Session::State& s, const InputField& field);
// ShowField for every field of a screen that targets `record`.
void ShowRecordFields(Session::State& s, Screen screen, RecordKind record);

// Moves the focus (through the view, which reports leave and enter back).
void FocusControl(Session::State& s, std::string_view control);
// The control a screen puts the focus in first (its ScreenDef's), or
// kParkedFocus for a screen without fields.
std::string FirstFocusOf(Session::State& s, Screen screen);

// The frame helpers: the shape's state changes only when it differs.
void FrameOn(View& view, std::string_view shape);
void FrameOff(View& view, std::string_view shape);

}  // namespace tankora
