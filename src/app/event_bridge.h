// The input framework's events, taken from the widgets and handed to the
// session by control name: focus arrives, focus leaves, key pressed, box
// clicked, and press / click / release on the labels that act as buttons.
//
// The bridge keeps one invariant: the control the session last heard
// FieldEnter for, and no FieldLeave since, is the one that has the focus.
// Focus changes the toolkit does not report (the window is hidden or in the
// background) are reported by the bridge itself; focus that only follows the
// window being activated or deactivated is no field change and is not.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/builder.h"
#include "shell/session.h"

class QEvent;
class QKeyEvent;

namespace tankora::app {

class ClickLabel;
class FrameShape;
class FolderList;

class EventBridge final : public QObject {
  Q_OBJECT
 public:
  // `afterEvent` runs once after each outermost event the session handled
  // (the window looks at QuitRequested there).
  EventBridge(Session& session, std::function<void()> afterEvent);

  // Edits, check boxes and radio buttons.
  void AttachInput(QWidget* control);
  void AttachLabel(ClickLabel* label);
  // A list row's frame: a click between its labels counts as one on them.
  void AttachRow(FrameShape* row);
  // The backup screen's folder list: its keys and focus as an input's, and
  // the folder it opens reported as chosen.
  void AttachFolderList(FolderList* list);
  // From now on nothing reaches the session (the window is being destroyed).
  void Detach() { detached_ = true; }

  // View::Focus: gives `control` the focus, makes sure the session heard the
  // leave of the old control and the enter of the new one, then selects the
  // whole text of an edit so typing replaces it.
  void MoveFocus(QWidget* control);
  // Before `container` is hidden: if it holds the focus, the focus is taken
  // away quietly, so the toolkit does not hand it to an arbitrary next
  // control. The session hears the leave with the next enter.
  void ParkFocusOutside(QWidget* container);

  static std::optional<Key> KeyOf(const QKeyEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Enter(QWidget* control);
  void Leave(QWidget* control);
  template <typename F>
  auto Forward(F&& f);

  Session& session_;
  std::function<void()> afterEvent_;
  QPointer<QWidget> reported_;  // the control the session believes focused
  int depth_ = 0;
  bool quiet_ = false;
  bool detached_ = false;
};

}  // namespace tankora::app
