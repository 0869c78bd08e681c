#include "app/widgets.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>

#include "app/input_filter.h"

namespace tankora::app {

// --- FrameShape ---------------------------------------------------------------

FrameShape::FrameShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void FrameShape::SetState(FrameState state) {
  if (state == state_) return;
  state_ = state;
  update();
}

void FrameShape::SetBrush(const QColor& colour) {
  if (colour == brush_) return;
  brush_ = colour;
  update();
}

void FrameShape::SetAlert(bool on) {
  if (on == alert_) return;
  alert_ = on;
  update();
}

void FrameShape::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  emit clicked();
}

void FrameShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), alert_ ? QColor(255, 208, 208) : brush_);
  const bool selected = state_ == FrameState::Selected;
  const bool red = alert_ || selected;
  const bool green = !red && state_ == FrameState::Chosen;
  const bool grey = !red && state_ == FrameState::Done;
  const int pen = selected || green || grey ? 2 : 1;
  p.setPen(Qt::NoPen);
  p.setBrush(red     ? QColor(255, 0, 0)
             : green ? QColor(0, 128, 0)
             : grey  ? QColor(128, 128, 128)
                     : QColor(0, 0, 0));
  // The pen lies inside the rectangle, as wide as it is, on all four sides.
  const int w = width();
  const int h = height();
  p.drawRect(0, 0, w, pen);
  p.drawRect(0, h - pen, w, pen);
  p.drawRect(0, 0, pen, h);
  p.drawRect(w - pen, 0, pen, h);
}

// --- ClickLabel ---------------------------------------------------------------

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::NoFocus); }

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  down_ = true;
  emit pressed();
}

// A quick second click pages again or selects again: it counts as a click.
void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !down_) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  down_ = false;
  if (rect().contains(event->position().toPoint())) emit clicked();
  emit released();
}

// --- FieldEdit ----------------------------------------------------------------

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
  setFrame(false);
  // Drops and the context menu's paste come through textEdited like typing,
  // so the filter below sees every way text can arrive.
  connect(this, &QLineEdit::textEdited, this, &FieldEdit::OnTextEdited);
}

void FieldEdit::SetInputRule(std::size_t width, ImeMode ime, bool limited) {
  width_ = width;
  ime_ = ime;
  limited_ = limited;
  // The input method stays off where only digits and codes belong; typed
  // full-width forms are still converted in case one arrives anyway.
  setAttribute(Qt::WA_InputMethodEnabled, ime == ImeMode::Hira || ime == ImeMode::HalfKana);
  setInputMethodHints(InputHintsFor(ime));
}

void FieldEdit::SetFieldText(const QString& text) {
  accepted_ = text;
  if (text != this->text()) setText(text);
  // setText leaves the caret at the end, and the edit scrolls to show it: a
  // text longer than the edit, or one padded with blanks to its field, would
  // show its tail. An edit nobody types in shows the start of its text.
  if (!hasFocus()) setCursorPosition(0);
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Switching to another program and back keeps the caret where it was.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    setCursorPosition(0);
  }
}

void FieldEdit::SetBackground(const QColor& colour) {
  background_ = colour;
  if (flashing_) return;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, colour);
  setPalette(pal);
}

void FieldEdit::Flash() {
  if (flashing_) return;
  flashing_ = true;
  if (!background_.isValid()) background_ = palette().color(QPalette::Base);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, QColor(255, 150, 150));
  setPalette(pal);
  // Purely cosmetic: the only timer of the program restores the colour.
  QTimer::singleShot(250, this, [this] {
    flashing_ = false;
    SetBackground(background_);
  });
}

void FieldEdit::OnTextEdited(const QString& text) {
  const FilteredInput f = FilterTyped(accepted_, text, cursorPosition(), width_, ime_, limited_);
  accepted_ = f.text;
  if (f.text != text) {
    setText(f.text);
    setCursorPosition(f.caret);
  }
  if (f.refused) {
    Flash();
    emit inputRefused();
  }
}

}  // namespace tankora::app
