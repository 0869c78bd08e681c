// A view for the benchmarks: keeps texts (the commands read some edits back)
// and reports focus moves to the session as the window does, nothing else.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "shell/session.h"
#include "shell/view.h"

namespace tankora {

class NullView final : public View {
 public:
  Session* session = nullptr;
  std::string Text(std::string_view c) const override {
    const auto it = text_.find(std::string(c));
    return it == text_.end() ? std::string{} : it->second;
  }
  void SetText(std::string_view c, std::string_view v) override { text_[std::string(c)] = v; }
  bool Checked(std::string_view) const override { return false; }
  void SetChecked(std::string_view, bool) override {}
  void Focus(std::string_view c) override {
    if (c == focused_ || !session) return;
    const std::string old = focused_;
    focused_ = std::string(c);
    if (!old.empty()) session->FieldLeave(old);
    session->FieldEnter(c);
  }
  std::string Focused() const override { return focused_; }
  FrameState Frame(std::string_view) const override { return FrameState::Plain; }
  void SetFrame(std::string_view, FrameState) override {}
  void SetAlert(std::string_view, bool) override {}
  void Flash(std::string_view) override {}
  void SetRowStyle(int, RowStyle) override {}
  void SetVisible(std::string_view, bool) override {}
  void SetTabCurrent(std::string_view, bool) override {}
  // Typing as a user does: focus the edit, then its text changes.
  void Type(std::string_view c, std::string_view v) {
    Focus(c);
    text_[std::string(c)] = v;
  }

 private:
  std::unordered_map<std::string, std::string> text_;
  std::string focused_;
};

}  // namespace tankora
