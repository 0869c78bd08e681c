#include "app/main_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <iostream>

#include "app/folder_picker.h"
#include "app/report_output.h"
#include "app/widgets.h"
#include "print/list_print.h"
#include "shell/input_field.h"
#include "util/era.h"

namespace tankora {

TForm_Tankora::TForm_Tankora(Store& store, const EraCalendar& eras,
                             std::filesystem::path programDir, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("Form_Tankora"));
  setWindowTitle(QStringLiteral("タンコラ  Ver 12.10.09"));
  app::InstallFontSubstitutes();
  setFont(app::FontOf(app::kFormFont));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(pal);
  setAutoFillBackground(true);
  resize(900, 700);

  // The slip screen is the first one shown and shares the customer list
  // and the customer's fields with the customer and ledger screens; the
  // list screens and the backup screen are built when first opened.
  controls_.Build(app::WindowLayout());
  controls_.Build(app::CustomerLayout());
  controls_.Build(app::SlipLayout());
  controls_.Build(app::LedgerLayout());
  controls_.BuildLater(app::BackupLayout());
  controls_.BuildLater(app::TenkenListLayout());
  controls_.BuildLater(app::KeiyakuListLayout());

  view_ = std::make_unique<app::QtView>(this, controls_, std::move(programDir));
  session_ = std::make_unique<Session>(store, eras, *view_);
  print::InstallListPrint(*session_, [] {
    return std::make_unique<app::ReportOutput>(app::DefaultOutput(true));
  });
  bridge_ = std::make_unique<app::EventBridge>(*session_, [this] { AfterEvent(); });
  view_->SetBridge(bridge_.get());

  Attach(controls_.Map().values());
  controls_.OnBuilt([this](const QList<QWidget*>& built) {
    Attach(built);
    view_->Replay(built);
  });

  if (QScreen* s = screen()) {
    const QRect area = s->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

// The session registered the field tables; each edit takes its rule from
// its field. Edits no field stands behind: zero-width ones only hold the
// focus and take nothing, others take any storable text.
void TForm_Tankora::Attach(const QList<QWidget*>& controls) {
  for (QWidget* w : controls) {
    if (auto* edit = qobject_cast<app::FieldEdit*>(w)) {
      const std::string name = edit->objectName().toStdString();
      if (const InputField* f = FindField(name)) {
        edit->SetInputRule(InputBytes(*f), f->ime);
      } else {
        edit->SetInputRule(0, ImeMode::Off, edit->width() == 0);
        // A zero-width one (the list's resting place) shows no caret and
        // takes nothing: Tab must not stop there, or typing vanishes
        // unseen. The session still moves the focus to it.
        if (edit->width() == 0) edit->setFocusPolicy(Qt::ClickFocus);
      }
      bridge_->AttachInput(edit);
    } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<app::DriveBox*>(w)) {
      bridge_->AttachInput(w);
    } else if (auto* folders = qobject_cast<app::FolderList*>(w)) {
      folders->Link(qobject_cast<app::DriveBox*>(Control("BackupDriveComboBox")));
      bridge_->AttachFolderList(folders);
    } else if (auto* label = qobject_cast<app::ClickLabel*>(w)) {
      bridge_->AttachLabel(label);
    } else if (auto* shape = qobject_cast<app::FrameShape*>(w);
               shape && shape->objectName().contains(QStringLiteral("_Row_"))) {
      // The list screens' rows (Shape_<view>_Row_NN); other frames take no clicks.
      bridge_->AttachRow(shape);
    }
  }
}

TForm_Tankora::~TForm_Tankora() {
  // ~QWidget sends the focused child a focus-out after our members are gone;
  // nothing may reach the session from here on.
  bridge_->Detach();
  if (QWidget* f = focusWidget()) f->clearFocus();
}

void TForm_Tankora::Start(const Status& opened) {
  session_->Start(opened);
  AfterEvent();
}

void TForm_Tankora::AfterEvent() {
  // Each F9 asks to close, as the close button does.
  if (session_->TakeQuitRequest() && !closing_) close();
}

void TForm_Tankora::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The form's activation, as distinct from the application's: it happens
  // when the window first comes up, not each time the user returns to it.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
    activated_ = true;
    session_->WindowActivated();
    AfterEvent();
  }
}

void TForm_Tankora::closeEvent(QCloseEvent* event) {
  switch (session_->CloseRequested()) {
    case Session::CloseAnswer::StayOpen:
      std::cerr << "タンコラ: " << session_->Notice() << "\n";
      event->ignore();
      return;
    case Session::CloseAnswer::CloseLosingCompany:
      std::cerr << "タンコラ: 会社情報の変更を保存せずに終了します (the company record was not written)\n";
      break;
    case Session::CloseAnswer::Close:
      break;
  }
  closing_ = true;
  event->accept();
}

}  // namespace tankora
