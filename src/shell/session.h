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

enum class Key { Enter, Home, F1, F2, F3, F5, F6, F7, F8, F9, PageUp, PageDown, Other };

class Session final {
 public:
  Session(Store& store, const EraCalendar& eras, View& view);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // After the store is open and the widgets exist: company fields and today's
  // date into their edits, the list with the new-customer row selected, the
  // slip screen in front.
  void Start();

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
  // Writes the company record (at close, and after every company field commit).
  Status SaveCompany();
  // Set by "F9 終了"; the window closes when it sees it.
  bool QuitRequested() const;
  // The last refusal or failure worth telling the user (UTF-8), "" when none.
  std::string Notice() const;

  struct State;
  State& state() { return *state_; }

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tankora
