// The tables of all registered screens, found by control, label and key.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "shell/screen_def.h"

namespace tankora {

namespace {

struct Registry {
  std::vector<const ScreenDef*> screens;
  std::unordered_map<std::string_view, const InputField*> fields;
  std::unordered_map<std::string_view, const CommandDef*> labels;
};

Registry& Reg() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterFields(std::span<const InputField> table) {
  for (const InputField& f : table) Reg().fields.insert_or_assign(f.control, &f);
}

const InputField* FindField(std::string_view control) {
  const auto& fields = Reg().fields;
  const auto it = fields.find(control);
  return it == fields.end() ? nullptr : it->second;
}

void RegisterScreen(const ScreenDef& screen) {
  Registry& reg = Reg();
  const auto known = std::find_if(reg.screens.begin(), reg.screens.end(),
                                  [&](const ScreenDef* d) { return d->screen == screen.screen; });
  if (known != reg.screens.end()) {
    *known = &screen;
  } else {
    reg.screens.push_back(&screen);
  }
  RegisterFields(screen.fields);
  for (const CommandDef& c : screen.commands) {
    if (!c.label.empty()) reg.labels.insert_or_assign(c.label, &c);
  }
}

const ScreenDef* FindScreen(Screen screen) {
  for (const ScreenDef* def : Reg().screens) {
    if (def->screen == screen) return def;
  }
  return nullptr;
}

const CommandDef* FindCommand(Screen screen, Key key) {
  if (key == Key::Other) return nullptr;
  const ScreenDef* def = FindScreen(screen);
  if (!def) return nullptr;
  for (const CommandDef& c : def->commands) {
    if (c.key == key) return &c;
  }
  return nullptr;
}

const CommandDef* FindCommandByLabel(std::string_view label) {
  const auto& labels = Reg().labels;
  const auto it = labels.find(label);
  return it == labels.end() ? nullptr : it->second;
}

const CommandDef* FindCommandAtCursor(Screen screen, int cursor) {
  if (cursor < 0) return nullptr;
  const ScreenDef* def = FindScreen(screen);
  if (!def) return nullptr;
  for (const CommandDef& c : def->commands) {
    if (c.cursor == cursor) return &c;
  }
  return nullptr;
}

}  // namespace tankora
