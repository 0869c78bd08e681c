// The running application without its widgets: the working records, the
// screen state and the commands of every screen. The Qt layer forwards the
// window's events here and renders through View.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "shell/input_field.h"
#include "shell/view.h"
#include "store/status.h"

namespace tankora {

class Store;
class EraCalendar;

// NextScreen and PreviousScreen are Ctrl+PageDown and Ctrl+PageUp: the
// neighbouring tab, for a clerk who works without the mouse.
enum class Key {
  Enter, Home, F1, F2, F3, F5, F6, F7, F8, F9, PageUp, PageDown, NextScreen, PreviousScreen, Other
};

// The label that shows Notice() (CP932), on the main window below the tabs.
inline constexpr std::string_view kNoticeLabel = "Label_Notice";

class Session final {
 public:
  Session(Store& store, const EraCalendar& eras, View& view);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // After the store is open and the widgets exist: company fields and today's
  // date into their edits, the list with the new-customer row selected, the
  // slip screen in front. `opened` is the store's Open result: a failure, or
  // else a record file cut short, is the first notice.
  void Start(const Status& opened = Status::Ok());
  // The window became active: the focus goes to the first field of the slip
  // or ledger screen when one of them is in front.
  void WindowActivated();

  // The input framework's events, by control name.
  void FieldEnter(std::string_view control);
  // True when the key was the framework's (the widget must not act on it too).
  bool FieldKeyDown(std::string_view control, Key key);
  void FieldLeave(std::string_view control);
  // A check box or radio button changed by the user (mouse or Space).
  void BoxClicked(std::string_view control);
  // Command labels, tab labels and list rows.
  void LabelPress(std::string_view label);
  void LabelRelease(std::string_view label);
  void LabelClick(std::string_view label);

  Screen CurrentScreen() const;
  // Shows the panels and tab colours of CurrentScreen.
  void ShowScreen();
  // What a tab label click does: nothing when the screen is in front already,
  // else shows it, lets it refresh and focuses its first control.
  void SwitchScreen(Screen screen);
  // A folder list chose a folder (UTF-8 path): the backup screen's.
  void FolderChosen(std::string_view control, std::string_view path);
  // The data files were replaced underneath the program (a restore, the
  // clean-up): every file reopened with its index, the company profile and
  // margins loaded again, every screen showing the files as they now are.
  void DataReplaced();
  // Writes the company record (at close, and after every company field commit).
  Status SaveCompany();
  // Set by "F9 終了"; the window closes when it sees it.
  bool QuitRequested() const;
  // QuitRequested, cleared as it is read: each F9 asks to close once.
  bool TakeQuitRequest();

  enum class CloseAnswer { Close, CloseLosingCompany, StayOpen };
  // The window's close request (its close button, or F9): writes the company
  // record. A save that fails keeps the window open once, the notice saying
  // which changes a second close loses; each close tries the save again, and
  // the close after a failure closes whether or not it gets through.
  CloseAnswer CloseRequested();
  // The last refusal or failure worth telling the user (UTF-8), "" when none.
  std::string Notice() const;

  struct State;
  State& state() { return *state_; }

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tankora
