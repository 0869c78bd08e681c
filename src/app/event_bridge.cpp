#include "app/event_bridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/folder_picker.h"
#include "app/widgets.h"

namespace tankora::app {
namespace {

std::string NameOf(const QObject* o) { return o->objectName().toStdString(); }

// Focus that only follows the window's own activation is no field change.
bool IsWindowFocusChange(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

EventBridge::EventBridge(Session& session, std::function<void()> afterEvent)
    : session_(session), afterEvent_(std::move(afterEvent)) {}

template <typename F>
auto EventBridge::Forward(F&& f) {
  struct Depth {
    EventBridge& b;
    explicit Depth(EventBridge& bridge) : b(bridge) { ++b.depth_; }
    ~Depth() {
      if (--b.depth_ == 0 && b.afterEvent_ && !b.detached_) b.afterEvent_();
    }
  } depth(*this);
  return f();
}

void EventBridge::AttachInput(QWidget* control) {
  control->installEventFilter(this);
  if (auto* box = qobject_cast<QAbstractButton*>(control)) {
    // `clicked` comes from the user only (mouse or Space), never from setChecked.
    connect(box, &QAbstractButton::clicked, this, [this, box] {
      if (detached_) return;
      Forward([&] { session_.BoxClicked(NameOf(box)); });
    });
  }
}

void EventBridge::AttachLabel(ClickLabel* label) {
  connect(label, &ClickLabel::pressed, this, [this, label] {
    if (!detached_) Forward([&] { session_.LabelPress(NameOf(label)); });
  });
  connect(label, &ClickLabel::clicked, this, [this, label] {
    if (!detached_) Forward([&] { session_.LabelClick(NameOf(label)); });
  });
  connect(label, &ClickLabel::released, this, [this, label] {
    if (!detached_) Forward([&] { session_.LabelRelease(NameOf(label)); });
  });
}

void EventBridge::AttachRow(FrameShape* row) {
  connect(row, &FrameShape::clicked, this, [this, row] {
    if (!detached_) Forward([&] { session_.LabelClick(NameOf(row)); });
  });
}

void EventBridge::AttachFolderList(FolderList* list) {
  AttachInput(list);
  connect(list, &FolderList::folderChosen, this, [this, list](const QString& folder) {
    if (!detached_) {
      Forward([&] { session_.FolderChosen(NameOf(list), folder.toStdString()); });
    }
  });
}

std::optional<Key> EventBridge::KeyOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_Home:
      return Key::Home;
    case Qt::Key_F1:
      return Key::F1;
    case Qt::Key_F2:
      return Key::F2;
    case Qt::Key_F3:
      return Key::F3;
    case Qt::Key_F5:
      return Key::F5;
    case Qt::Key_F6:
      return Key::F6;
    case Qt::Key_F7:
      return Key::F7;
    case Qt::Key_F8:
      return Key::F8;
    case Qt::Key_F9:
      return Key::F9;
    // With Ctrl they choose the neighbouring tab; the history pages without.
    case Qt::Key_PageUp:
      return event.modifiers() & Qt::ControlModifier ? Key::PreviousScreen : Key::PageUp;
    case Qt::Key_PageDown:
      return event.modifiers() & Qt::ControlModifier ? Key::NextScreen : Key::PageDown;
    default:
      return std::nullopt;
  }
}

void EventBridge::Enter(QWidget* control) {
  if (reported_ == control) return;
  if (reported_) Leave(reported_);
  reported_ = control;
  Forward([&] { session_.FieldEnter(NameOf(control)); });
}

void EventBridge::Leave(QWidget* control) {
  if (reported_ != control) return;
  reported_ = nullptr;
  Forward([&] { session_.FieldLeave(NameOf(control)); });
}

void EventBridge::MoveFocus(QWidget* control) {
  if (detached_) return;
  if (reported_ != control || !control->hasFocus()) {
    control->setFocus(Qt::OtherFocusReason);
    // A hidden or inactive window gets no focus events; report the move here.
    if (reported_ != control) Enter(control);
  }
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void EventBridge::ParkFocusOutside(QWidget* container) {
  QWidget* focused = container->window()->focusWidget();
  if (!focused || !container->isAncestorOf(focused)) return;
  quiet_ = true;
  focused->clearFocus();
  quiet_ = false;
}

bool EventBridge::eventFilter(QObject* watched, QEvent* event) {
  if (detached_ || quiet_) return false;
  auto* control = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::FocusIn: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (IsWindowFocusChange(reason) && reported_ == control) return false;
      Enter(control);
      return false;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (IsWindowFocusChange(reason)) return false;
      Leave(control);
      return false;
    }
    case QEvent::KeyPress: {
      const auto key = KeyOf(*static_cast<QKeyEvent*>(event));
      if (!key) return false;
      return Forward([&] { return session_.FieldKeyDown(NameOf(control), *key); });
    }
    default:
      return false;
  }
}

}  // namespace tankora::app
