// The core's View over the real widgets, found by objectName. Texts cross as
// CP932 bytes; Qt sees UTF-8. Setting texts and check states raises no
// events; moving the focus reports leave and enter back before it returns.
#pragma once

#include <QSet>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/builder.h"
#include "shell/view.h"

namespace tankora::app {

class EventBridge;

class QtView final : public View {
 public:
  // `documentsDir` is the program's folder, where OpenDocument starts looking.
  QtView(QWidget* window, const ControlMap& controls, std::filesystem::path documentsDir);

  void SetBridge(EventBridge* bridge) { bridge_ = bridge; }

  QWidget* Widget(std::string_view name) const;
  // Names the core asked for that no widget carries (a layout table and a
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
  QWidget* Find(std::string_view name) const;

  QWidget* window_;
  const ControlMap& controls_;
  std::filesystem::path documentsDir_;
  EventBridge* bridge_ = nullptr;
  mutable QSet<QString> unknown_;
  // Widgets changed since the last Repaint: drawn at once while a long
  // command runs, without letting any other event in.
  QSet<QWidget*> changed_;
};

}  // namespace tankora::app
