// The window's named controls, some built only when first needed. Most
// sessions never open the list screens or the backup screen, and those hold
// most of the window's labels: building them at start would cost memory and
// start-up time for nothing. A layout given to BuildLater is known by its
// names alone (from its table) until it is built, whole, the first time its
// screen is shown or one of its controls is asked for.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <span>
#include <vector>

#include "app/builder.h"
#include "app/layout.h"

namespace tankora::app {

class ControlSet final {
 public:
  explicit ControlSet(QWidget* window) : window_(window) {}

  // Builds `table` now.
  void Build(std::span<const ControlDef> table);
  // Builds `table` when it is first needed. Its rows' parents must be its
  // own panels or controls already built.
  void BuildLater(std::span<const ControlDef> table);
  // Called with the named controls of each layout built from now on, before
  // anyone gets one of them: the window gives them their events and input
  // rules, the view what it was told for them meanwhile.
  void OnBuilt(std::function<void(const QList<QWidget*>&)> onBuilt) {
    onBuilt_ = std::move(onBuilt);
  }

  // A built control, or null.
  QWidget* Built(const QString& name) const { return built_.value(name); }
  // The control, its layout built first when it is still waiting; null for
  // a name no layout holds.
  QWidget* Get(const QString& name);
  // For a control whose layout waits: its table row, the caption it will
  // show and the names of the radio buttons it will share a parent with
  // (those Qt keeps to one checked). Null when built or unknown.
  const ControlDef* Waiting(const QString& name, QString* caption = nullptr,
                            QStringList* radioSiblings = nullptr) const;
  // `panel` is about to show: the layouts waiting to fill it are built.
  void BuildInside(const QWidget* panel);

  const ControlMap& Map() const { return built_; }

 private:
  struct Later {
    std::span<const ControlDef> table;
    QStringList outsideParents;  // the parents its rows have outside itself
    bool built = false;
  };
  struct Place {
    int layout;
    const ControlDef* row;
    int i;  // 1..repeat
  };
  void BuildNow(Later& later);

  QWidget* window_;
  ControlMap built_;
  std::vector<Later> later_;
  QHash<QString, Place> waiting_;
  std::function<void(const QList<QWidget*>&)> onBuilt_;
};

}  // namespace tankora::app
