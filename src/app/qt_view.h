// The core's View over the real widgets, found by objectName. Texts cross as
// CP932 bytes; Qt sees UTF-8. Setting texts and check states raises no
// events; moving the focus reports leave and enter back before it returns.
//
// A control whose screen is not built yet (ControlSet) is not built for
// being written or read: the session fills every screen at start and after
// a restore. What it is told is held here and handed to the widget when the
// screen is built; reads are answered from that, or from the table. Moving
// the focus there, showing its screen or asking for the widget builds it.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_set.h"
#include "shell/view.h"

namespace tankora::app {

class EventBridge;

class QtView final : public View {
 public:
  // `documentsDir` is the program's folder, where OpenDocument starts looking.
  QtView(QWidget* window, ControlSet& controls, std::filesystem::path documentsDir);

  void SetBridge(EventBridge* bridge) { bridge_ = bridge; }

  // The widget, its screen built first if need be.
  QWidget* Widget(std::string_view name) const;
  // Hands the newly built controls what the core told them while they
  // waited, in the order it came.
  void Replay(const QList<QWidget*>& built);
  // Names the core asked for that no table holds (a layout table and a
  // field table that disagree); for tests and for the maintainer.
  const QSet<QString>& UnknownNames() const { return unknown_; }

  std::string Text(std::string_view control) const override;
  void SetText(std::string_view control, std::string_view cp932) override;
  void SetCaptionUtf8(std::string_view control, std::string_view utf8) override;
  bool Checked(std::string_view control) const override;
  void SetChecked(std::string_view control, bool checked) override;
  void Focus(std::string_view control) override;
  std::string Focused() const override;
  FrameState Frame(std::string_view shape) const override;
  void SetFrame(std::string_view shape, FrameState state) override;
  void SetAlert(std::string_view control, bool on) override;
  void Flash(std::string_view control) override;
  void SetRowStyle(int row, RowStyle style) override;
  void SetVisible(std::string_view control, bool visible) override;
  void SetTabCurrent(std::string_view tabLabel, bool current) override;
  DocumentOpen OpenDocument(std::string_view relativePath, std::string* where) override;
  void SetFolder(std::string_view control, std::string_view path) override;
  void Repaint() override;

 private:
  // What the core last did of each kind to a control not built yet; a
  // caption and a text replace each other.
  enum class Held : std::uint8_t { Text, Caption, Checked, Frame, Alert, Visible, Tab, Folder };
  struct HeldCall {
    Held kind;
    quint64 order;
    int value;         // Checked, Frame, Alert, Visible, Tab
    std::string text;  // Text (CP932), Caption and Folder (UTF-8)
  };

  // A built control, or null (the name noted when no table holds it).
  QWidget* Find(std::string_view name) const;
  // The row of a control that waits to be built, or null.
  const ControlDef* Waiting(std::string_view name) const;
  // Keeps the call for a waiting control; false when the control is built
  // (or unknown) and the caller goes on.
  bool Hold(std::string_view name, Held kind, int value = 0, std::string text = {});
  const HeldCall* HeldOf(std::string_view name, Held kind) const;
  std::string WaitingText(std::string_view name) const;

  QWidget* window_;
  ControlSet& controls_;
  std::filesystem::path documentsDir_;
  EventBridge* bridge_ = nullptr;
  mutable QSet<QString> unknown_;
  // Widgets changed since the last Repaint: drawn at once while a long
  // command runs, without letting any other event in.
  QSet<QWidget*> changed_;
  QHash<QString, std::vector<HeldCall>> held_;
  quint64 heldOrder_ = 0;
};

}  // namespace tankora::app
