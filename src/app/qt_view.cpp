#include "app/qt_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QUrl>
#include <QVariant>
#include <algorithm>
#include <cstdio>

#include "app/event_bridge.h"
#include "app/folder_picker.h"
#include "app/widgets.h"
#include "store/data_folder.h"
#include "util/cp932.h"

namespace tankora::app {
namespace {

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString FromCp932(std::string_view cp932) {
  return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::string ToCp932(const QString& text) {
  // Edits refuse what CP932 cannot hold, so this only fails for text that
  // never went through an edit; then the storable characters survive.
  const std::string utf8 = text.toStdString();
  if (auto bytes = Utf8ToCp932(utf8)) return *bytes;
  std::string out;
  for (const QChar& c : text) {
    if (auto b = Utf8ToCp932(QString(c).toStdString())) out += *b;
  }
  return out;
}

// The CP932 bytes a control's text was last set from, kept on the widget. A
// text nobody changed goes back as those bytes rather than re-encoded: the
// encoder turns codes that share a character (髙 as EE E0 or as FB FC) into
// its own choice and drops bytes that are no CP932 at all, and a customer's
// name is the key its slips and ledger entries are found by.
constexpr char kCp932Property[] = "tankoraCp932";

std::string TextOf(const QWidget* w, const QString& text) {
  const QVariant set = w->property(kCp932Property);
  if (set.isValid()) {
    const QByteArray bytes = set.toByteArray();
    std::string cp932(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (FromCp932(cp932) == text) return cp932;
  }
  return ToCp932(text);
}

void SetTextColour(QWidget* w, const QColor& colour) {
  QPalette pal = w->palette();
  pal.setColor(qobject_cast<QLineEdit*>(w) ? QPalette::Text : QPalette::WindowText, colour);
  w->setPalette(pal);
}

void SetBackColour(QWidget* w, const QColor& colour) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, colour);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

}  // namespace

QtView::QtView(QWidget* window, ControlSet& controls, std::filesystem::path documentsDir)
    : window_(window), controls_(controls), documentsDir_(std::move(documentsDir)) {}

QWidget* QtView::Widget(std::string_view name) const {
  QWidget* w = controls_.Get(ToQString(name));
  if (!w && !name.empty()) unknown_.insert(ToQString(name));
  return w;
}

QWidget* QtView::Find(std::string_view name) const {
  const QString n = ToQString(name);
  QWidget* w = controls_.Built(n);
  if (!w && !name.empty() && !controls_.Waiting(n)) unknown_.insert(n);
  return w;
}

const ControlDef* QtView::Waiting(std::string_view name) const {
  return controls_.Waiting(ToQString(name));
}

bool QtView::Hold(std::string_view name, Held kind, int value, std::string text) {
  if (!Waiting(name)) return false;
  std::vector<HeldCall>& calls = held_[ToQString(name)];
  const auto slot = [](Held k) { return k == Held::Caption ? Held::Text : k; };
  std::erase_if(calls, [&](const HeldCall& c) { return slot(c.kind) == slot(kind); });
  calls.push_back(HeldCall{kind, ++heldOrder_, value, std::move(text)});
  return true;
}

const QtView::HeldCall* QtView::HeldOf(std::string_view name, Held kind) const {
  const auto calls = held_.constFind(ToQString(name));
  if (calls == held_.cend()) return nullptr;
  for (const HeldCall& c : *calls) {
    if (c.kind == kind || (kind == Held::Text && c.kind == Held::Caption)) return &c;
  }
  return nullptr;
}

// What Text() will read once the control is built: what the core set, else
// what the table gives it (edits start empty).
std::string QtView::WaitingText(std::string_view name) const {
  QString caption;
  const ControlDef* d = controls_.Waiting(ToQString(name), &caption);
  if (!d) return {};
  switch (d->kind) {
    case Kind::Edit:
    case Kind::Caption:
    case Kind::Command:
    case Kind::CheckBox:
    case Kind::Radio:
      break;
    default:
      return {};  // nothing with a text of its own
  }
  if (const HeldCall* c = HeldOf(name, Held::Text)) {
    return c->kind == Held::Caption ? ToCp932(ToQString(c->text)) : c->text;
  }
  return d->kind == Kind::Edit ? std::string() : ToCp932(caption);
}

void QtView::Replay(const QList<QWidget*>& built) {
  std::vector<std::pair<std::string, HeldCall>> calls;
  for (const QWidget* w : built) {
    const auto held = held_.constFind(w->objectName());
    if (held == held_.cend()) continue;
    for (const HeldCall& c : *held) calls.emplace_back(w->objectName().toStdString(), c);
    held_.erase(held);
  }
  std::sort(calls.begin(), calls.end(),
            [](const auto& a, const auto& b) { return a.second.order < b.second.order; });
  for (const auto& [name, c] : calls) {
    switch (c.kind) {
      case Held::Text:
        SetText(name, c.text);
        break;
      case Held::Caption:
        SetCaptionUtf8(name, c.text);
        break;
      case Held::Checked:
        SetChecked(name, c.value != 0);
        break;
      case Held::Frame:
        SetFrame(name, static_cast<FrameState>(c.value));
        break;
      case Held::Alert:
        SetAlert(name, c.value != 0);
        break;
      case Held::Visible:
        SetVisible(name, c.value != 0);
        break;
      case Held::Tab:
        SetTabCurrent(name, c.value != 0);
        break;
      case Held::Folder:
        SetFolder(name, c.text);
        break;
    }
  }
}

std::string QtView::Text(std::string_view control) const {
  QWidget* w = Find(control);
  if (!w) return WaitingText(control);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return TextOf(e, e->text());
  if (auto* l = qobject_cast<QLabel*>(w)) return TextOf(l, l->text());
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return TextOf(b, b->text());
  return {};
}

void QtView::SetText(std::string_view control, std::string_view cp932) {
  if (Hold(control, Held::Text, 0, std::string(cp932))) return;
  QWidget* w = Find(control);
  const QString text = FromCp932(cp932);
  if (w) {
    w->setProperty(kCp932Property,
                   QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size())));
    changed_.insert(w);
  }
  if (auto* f = qobject_cast<FieldEdit*>(w)) {
    f->SetFieldText(text);
  } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
    const QSignalBlocker quiet(e);
    e->setText(text);
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(text);
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(text);
  }
}

void QtView::SetCaptionUtf8(std::string_view control, std::string_view utf8) {
  if (const ControlDef* d = Waiting(control);
      d && (d->kind == Kind::Caption || d->kind == Kind::Command)) {
    Hold(control, Held::Caption, 0, std::string(utf8));
    return;
  }
  QWidget* w = Find(control);
  if (auto* l = qobject_cast<QLabel*>(w)) {
    // No CP932 image to keep: Text() reads the caption back from the label.
    l->setProperty(kCp932Property, QVariant());
    l->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  } else {
    View::SetCaptionUtf8(control, utf8);
  }
}

bool QtView::Checked(std::string_view control) const {
  if (const ControlDef* d = Waiting(control)) {
    const HeldCall* c = HeldOf(control, Held::Checked);
    return (d->kind == Kind::CheckBox || d->kind == Kind::Radio) && c && c->value != 0;
  }
  auto* b = qobject_cast<QAbstractButton*>(Find(control));
  return b && b->isChecked();
}

void QtView::SetChecked(std::string_view control, bool checked) {
  QStringList siblings;
  if (const ControlDef* d = controls_.Waiting(ToQString(control), nullptr, &siblings)) {
    if (d->kind != Kind::CheckBox && d->kind != Kind::Radio) return;
    Hold(control, Held::Checked, checked ? 1 : 0);
    // Checking a radio button unchecks the others of its panel, as Qt will.
    for (const QString& other : siblings) {
      const std::string name = other.toStdString();
      if (checked && Checked(name)) Hold(name, Held::Checked, 0);
    }
    return;
  }
  auto* b = qobject_cast<QAbstractButton*>(Find(control));
  if (!b || b->isChecked() == checked) return;
  const QSignalBlocker quiet(b);
  // An exclusive radio button cannot be unchecked directly; the core sets
  // both buttons of a pair, so let it.
  const bool exclusive = b->autoExclusive();
  if (!checked && exclusive) b->setAutoExclusive(false);
  b->setChecked(checked);
  if (!checked && exclusive) b->setAutoExclusive(true);
}

void QtView::Focus(std::string_view control) {
  QWidget* w = Widget(control);
  if (!w) return;
  if (bridge_) {
    bridge_->MoveFocus(w);
  } else {
    w->setFocus(Qt::OtherFocusReason);
  }
}

std::string QtView::Focused() const {
  QWidget* w = QApplication::focusWidget();
  if (!w || w->window() != window_) w = window_->focusWidget();
  if (!w) return {};
  const QString name = w->objectName();
  return controls_.Built(name) == w ? name.toStdString() : std::string{};
}

FrameState QtView::Frame(std::string_view shape) const {
  if (const ControlDef* d = Waiting(shape)) {
    const HeldCall* c = HeldOf(shape, Held::Frame);
    return d->kind == Kind::Shape && c ? static_cast<FrameState>(c->value) : FrameState::Plain;
  }
  auto* s = qobject_cast<FrameShape*>(Find(shape));
  return s ? s->State() : FrameState::Plain;
}

void QtView::SetFrame(std::string_view shape, FrameState state) {
  if (const ControlDef* d = Waiting(shape)) {
    if (d->kind == Kind::Shape) Hold(shape, Held::Frame, static_cast<int>(state));
    return;
  }
  if (auto* s = qobject_cast<FrameShape*>(Find(shape))) {
    s->SetState(state);
    changed_.insert(s);
  }
}

void QtView::SetAlert(std::string_view control, bool on) {
  if (Hold(control, Held::Alert, on ? 1 : 0)) return;
  QWidget* w = Find(control);
  // A frame turns red; a field or label shows its text in red.
  if (auto* shape = qobject_cast<FrameShape*>(w)) {
    shape->SetAlert(on);
  } else if (w) {
    SetTextColour(w, on ? QColor(255, 0, 0) : QColor(0, 0, 0));
  }
}

void QtView::Flash(std::string_view control) {
  // A control not built yet was never typed in: nothing to flash.
  if (auto* f = qobject_cast<FieldEdit*>(Find(control))) f->Flash();
}

void QtView::SetRowStyle(int row, RowStyle style) {
  char kana[40];
  char name[40];
  std::snprintf(kana, sizeof kana, "Label_Kokyaku_Kana_%02d", row + 1);
  std::snprintf(name, sizeof name, "Label_Kokyaku_Name_%02d", row + 1);
  const bool deleted = style == RowStyle::Deleted;
  for (const char* n : {kana, name}) {
    QWidget* w = Widget(n);
    if (!w) continue;
    // Deleted customers read grey and struck through, still legible.
    SetTextColour(w, deleted ? QColor(128, 128, 128) : QColor(0, 0, 0));
    QFont f = w->font();
    f.setStrikeOut(deleted);
    w->setFont(f);
  }
}

void QtView::SetVisible(std::string_view control, bool visible) {
  if (Hold(control, Held::Visible, visible ? 1 : 0)) return;
  QWidget* w = Find(control);
  if (!w) return;
  // A screen that is about to be seen is built first, so its controls show
  // with its panel.
  QWidget* parent = w->parentWidget();
  if (visible && (!parent || parent == window_ || parent->isVisibleTo(window_))) {
    controls_.BuildInside(w);
  }
  if (w->isVisibleTo(parent) == visible) return;
  if (!visible && bridge_) bridge_->ParkFocusOutside(w);
  w->setVisible(visible);
}

void QtView::SetTabCurrent(std::string_view tabLabel, bool current) {
  if (Hold(tabLabel, Held::Tab, current ? 1 : 0)) return;
  QWidget* label = Find(tabLabel);
  if (!label) return;
  const QColor back = current ? QColor(0, 0, 128) : QColor(255, 255, 255);
  SetBackColour(label, back);
  SetTextColour(label, current ? QColor(255, 255, 255) : QColor(0, 0, 0));
  // The tab's shape carries the label's name with Shape_ for Label_.
  if (tabLabel.substr(0, 6) == "Label_") {
    const std::string shape = "Shape_" + std::string(tabLabel.substr(6));
    if (auto* s = qobject_cast<FrameShape*>(Find(shape))) s->SetBrush(back);
  }
}

void QtView::SetFolder(std::string_view control, std::string_view path) {
  if (Hold(control, Held::Folder, 0, std::string(path))) return;
  auto* list = qobject_cast<FolderList*>(Find(control));
  if (!list) return;
  auto* drives = qobject_cast<DriveBox*>(Find("BackupDriveComboBox"));
  if (drives) drives->Refresh();
  list->ShowFolder(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
  // Nothing remembered, or a stick not put in: the first drive's folders.
  if (list->Folder().isEmpty() && drives && drives->count() > 0) {
    list->ShowFolder(drives->RootAt(0));
  }
}

void QtView::Repaint() {
  for (QWidget* w : std::as_const(changed_)) {
    if (w->isVisible()) w->repaint();
  }
  changed_.clear();
}

DocumentOpen QtView::OpenDocument(std::string_view relativePath, std::string* where) {
  std::filesystem::path expected;
  const auto path = FindProgramFile(documentsDir_, std::filesystem::path(relativePath), &expected);
  *where = (path ? *path : expected).string();
  if (!path) return DocumentOpen::Missing;
  const bool opened =
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path->string())));
  return opened ? DocumentOpen::Opened : DocumentOpen::NoViewer;
}

}  // namespace tankora::app
