// How a screen plugs into the input framework: its field table, its command
// table and a few per-screen knobs. A later screen adds one ScreenDef and a
// line in screens.cpp; the mechanism itself (focus, commit, keys, labels)
// stays in input_framework.cpp.
#pragma once

#include <span>
#include <string_view>

#include "shell/input_field.h"
#include "shell/session.h"

namespace tankora {

// One command of a command bar: the key that runs it, the label that runs it
// when clicked, the shape that frames the label, and its place in the
// screen's CommandCursor.
struct CommandDef {
  Screen screen;
  Key key;                          // Key::Other when only the label runs it
  std::string_view label;           // "" when only the key runs it
  std::string_view shape;           // frame of the label ("" when none)
  int cursor = -1;                  // index in the command field's cursor, -1 none
  void (*run)(Session&) = nullptr;  // nullptr: shown but inert
  bool framed = true;               // press and release redraw the shape
};

struct ScreenDef {
  Screen screen;
  std::span<const InputField> fields;
  std::span<const CommandDef> commands;
  // Where the focus goes when the screen's tab shows it, and after a command
  // that begins a new entry: `firstFocusNow` when that depends on what the
  // screen shows (a sub-panel, a view in front), else `firstFocus`. A screen
  // without fields, or naming neither, parks the focus (kParkedFocus).
  std::string_view firstFocus = {};
  std::string_view (*firstFocusNow)(Session&) = nullptr;
  // Runs after every commit of a field of this screen (counters, totals,
  // display switches); may be null.
  void (*afterCommit)(Session&, const InputField&) = nullptr;
  // A click on a label that is no command (list rows, sub-panel tabs);
  // returns true when it was this screen's label.
  bool (*labelClick)(Session&, std::string_view label) = nullptr;
  // The control Enter or Home really reaches when the table's next or
  // previous one lies under a sub-panel the screen shows over it; returns
  // `target` itself otherwise. May be null.
  std::string_view (*redirect)(Session&, std::string_view target) = nullptr;
  // Enter in the field before the command field selects command 0.
  bool enterSelectsFirstCommand = false;
  // Enter in the command field always runs command 0, after clearing the
  // cursor and redrawing the bar plain.
  bool commandFieldClearsCursor = false;
};

// The zero-width edit the focus rests in while the screen in front has no
// field to offer: it takes no typing, and no screen binds a key to it, so
// nothing hidden under the panel in front can be changed from the keyboard.
inline constexpr std::string_view kParkedFocus = "Edit_KokyakuList_Temp";

// Registers a screen's tables (idempotent).
void RegisterScreen(const ScreenDef& screen);
// Every screen of the program, registered once (screens.cpp).
void RegisterAllScreens();
// Chains each screen module's hooks into the session's seams (screens.cpp);
// the Session constructor calls it once the state exists.
void InstallScreenSeams(Session::State& s);

const ScreenDef* FindScreen(Screen screen);
// The command a key runs on a screen, or null.
const CommandDef* FindCommand(Screen screen, Key key);
// The command a label runs, or null.
const CommandDef* FindCommandByLabel(std::string_view label);
// The command at a cursor position of a screen, or null.
const CommandDef* FindCommandAtCursor(Screen screen, int cursor);

}  // namespace tankora
