// The main window Form_Tankora: every screen as a panel, built from the
// layout tables (the list and backup screens when first opened), rendered
// through QtView and driven by one Session.
#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <string_view>

#include "app/control_set.h"
#include "app/event_bridge.h"
#include "app/qt_view.h"
#include "shell/session.h"

namespace tankora {

class Store;
class EraCalendar;

class TForm_Tankora final : public QWidget {
  Q_OBJECT
 public:
  // `programDir` is where the manual is looked for (the executable's folder).
  TForm_Tankora(Store& store, const EraCalendar& eras, std::filesystem::path programDir,
                QWidget* parent = nullptr);
  ~TForm_Tankora() override;

  // The start-up of the screens: texts, list, first screen, and the store's
  // Open result as the first notice. Before show().
  void Start(const Status& opened = Status::Ok());

  Session& session() { return *session_; }
  app::QtView& view() { return *view_; }
  QWidget* Control(std::string_view name) const { return view_->Widget(name); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void AfterEvent();
  // Events and input rules for newly built controls.
  void Attach(const QList<QWidget*>& controls);

  app::ControlSet controls_{this};
  std::unique_ptr<app::QtView> view_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<app::EventBridge> bridge_;
  bool closing_ = false;
  bool activated_ = false;
};

}  // namespace tankora
