#include "app/control_set.h"

#include <QSet>
#include <cstring>

namespace tankora::app {
namespace {

const char* ParentOf(const ControlDef& d) { return d.parent ? d.parent : ""; }

}  // namespace

void ControlSet::Build(std::span<const ControlDef> table) {
  const QList<QWidget*> made = BuildControls(window_, table, built_);
  if (onBuilt_) onBuilt_(made);
}

void ControlSet::BuildLater(std::span<const ControlDef> table) {
  const int layout = static_cast<int>(later_.size());
  Later later{table, {}, false};
  QSet<QString> own;
  for (const ControlDef& d : table) {
    const QString parent = QString::fromUtf8(ParentOf(d));
    if (!own.contains(parent) && !later.outsideParents.contains(parent)) {
      later.outsideParents.append(parent);
    }
    for (int i = 1; i <= d.repeat; ++i) {
      const QString name = NameOf(d, i);
      if (name.isEmpty()) continue;
      waiting_.insert(name, Place{layout, &d, i});
      own.insert(name);
    }
  }
  later_.push_back(std::move(later));
}

QWidget* ControlSet::Get(const QString& name) {
  if (QWidget* w = built_.value(name)) return w;
  const auto place = waiting_.constFind(name);
  if (place == waiting_.cend()) return nullptr;
  BuildNow(later_[static_cast<std::size_t>(place->layout)]);
  return built_.value(name);
}

const ControlDef* ControlSet::Waiting(const QString& name, QString* caption,
                                      QStringList* radioSiblings) const {
  const auto place = waiting_.constFind(name);
  if (place == waiting_.cend()) return nullptr;
  const ControlDef& row = *place->row;
  if (caption) *caption = CaptionOf(row, place->i);
  if (radioSiblings) {
    radioSiblings->clear();
    if (row.kind == Kind::Radio) {
      for (const ControlDef& d : later_[static_cast<std::size_t>(place->layout)].table) {
        if (d.kind != Kind::Radio || std::strcmp(ParentOf(d), ParentOf(row)) != 0) continue;
        for (int i = 1; i <= d.repeat; ++i) {
          const QString other = NameOf(d, i);
          if (other != name) radioSiblings->append(other);
        }
      }
    }
  }
  return &row;
}

void ControlSet::BuildInside(const QWidget* panel) {
  for (Later& later : later_) {
    if (later.built) continue;
    for (const QString& parent : later.outsideParents) {
      const QWidget* p = parent.isEmpty() ? window_ : built_.value(parent);
      if (p && (p == panel || panel->isAncestorOf(p))) {
        BuildNow(later);
        break;
      }
    }
  }
}

void ControlSet::BuildNow(Later& later) {
  if (later.built) return;
  later.built = true;
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    if (&later_[static_cast<std::size_t>(it->layout)] == &later) {
      it = waiting_.erase(it);
    } else {
      ++it;
    }
  }
  Build(later.table);
}

}  // namespace tankora::app
