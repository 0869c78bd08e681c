// The few widget kinds the screens are made of that Qt lacks as such: a
// framed rectangle with a pen state, a label that reports press, release and
// click, and an edit that holds its input to what the record field can store.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <cstddef>

#include "shell/input_field.h"
#include "shell/view.h"

namespace tankora::app {

// A filled rectangle with a black 1-pixel, red 2-pixel or green 2-pixel pen:
// the frame of a field, a command label, a list row, a history row or a tab.
class FrameShape final : public QWidget {
  Q_OBJECT
 public:
  explicit FrameShape(QWidget* parent);

  FrameState State() const { return state_; }
  void SetState(FrameState state);
  QColor Brush() const { return brush_; }
  void SetBrush(const QColor& colour);
  // A refused value's mark, until cleared: the inside turns pale red and the
  // pen red (2 pixels while the item has the focus, else 1), so it never
  // reads as the focus frame, which is red on the item's own colour.
  bool Alert() const { return alert_; }
  void SetAlert(bool on);

 signals:
  // A left click on the shape itself (not on a label over it): a list row's
  // blank stretches choose the row as its labels do.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  FrameState state_ = FrameState::Plain;
  QColor brush_ = Qt::white;
  bool alert_ = false;
};

// A label that acts as a button: commands, tabs and list rows. The click is
// reported before the release, so whatever the command draws, the release
// leaves the label's own frame plain.
class ClickLabel final : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(QWidget* parent);

 signals:
  void pressed();
  void clicked();
  void released();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool down_ = false;
};

// A check box or radio button that shows it holds the focus. The style draws
// its focus rectangle only after a Tab, but this window moves the focus with
// Enter and the arrows, so two boxes inside one red field frame would leave
// the user guessing which one Space toggles. A dotted red rectangle round the
// focused one says it.
template <class Button>
class FocusMarked final : public Button {
 public:
  explicit FocusMarked(QWidget* parent) : Button(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    Button::paintEvent(event);
    if (!this->hasFocus()) return;
    QPainter p(this);
    p.setPen(QPen(QColor(255, 0, 0), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(this->rect().adjusted(0, 0, -1, -1));
  }
};

// A single-line edit whose input is held to its record field: at most
// `width` CP932 bytes, only characters CP932 can store, and the conversions
// of its input mode (half-width katakana for the reading, half-width digits
// and letters where the input method is off). Refused input makes the edit
// flash instead of vanishing silently.
class FieldEdit final : public QLineEdit {
  Q_OBJECT
 public:
  explicit FieldEdit(QWidget* parent);

  // width 0 takes nothing (command fields); `limited` false takes any length.
  void SetInputRule(std::size_t width, ImeMode ime, bool limited = true);
  std::size_t Width() const { return width_; }
  ImeMode Ime() const { return ime_; }

  // Text set by the program: not filtered, raises no textEdited.
  void SetFieldText(const QString& text);
  // A brief coloured background: the cue that input was refused.
  void Flash();
  bool Flashing() const { return flashing_; }
  void SetBackground(const QColor& colour);

 signals:
  void inputRefused();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnTextEdited(const QString& text);

  std::size_t width_ = 0;
  ImeMode ime_ = ImeMode::Hira;
  bool limited_ = false;
  QString accepted_;  // the text as it stood before the user's change
  QColor background_;
  bool flashing_ = false;
};

}  // namespace tankora::app
