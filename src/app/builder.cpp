#include "app/builder.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <cstdio>

#include "app/folder_picker.h"
#include "app/widgets.h"

namespace tankora::app {
namespace {

QColor ColourOf(std::uint32_t rgb) {
  return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

Qt::Alignment AlignmentOf(Justify j) {
  switch (j) {
    case Justify::Centre:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case Justify::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Justify::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

void Paint(QWidget* w, QPalette::ColorRole background, std::uint32_t colour,
           QPalette::ColorRole foreground, std::uint32_t textColour) {
  QPalette pal = w->palette();
  if (colour != kNoColour) {
    pal.setColor(background, ColourOf(colour));
    w->setAutoFillBackground(background == QPalette::Window);
  }
  pal.setColor(foreground, ColourOf(textColour));
  w->setPalette(pal);
}

QWidget* Create(const ControlDef& d, QWidget* parent, const QString& caption) {
  switch (d.kind) {
    case Kind::Panel: {
      auto* panel = new QFrame(parent);
      panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
      Paint(panel, QPalette::Window, d.colour, QPalette::WindowText, d.textColour);
      return panel;
    }
    case Kind::Shape: {
      auto* shape = new FrameShape(parent);
      shape->SetBrush(d.colour == kNoColour ? QColor(Qt::white) : ColourOf(d.colour));
      return shape;
    }
    case Kind::Caption:
    case Kind::Command: {
      QLabel* label = d.kind == Kind::Command ? new ClickLabel(parent) : new QLabel(parent);
      label->setText(caption);
      // A caption two lines high (a long folder path) wraps.
      label->setWordWrap(d.kind == Kind::Caption && d.h >= 32);
      label->setAlignment(AlignmentOf(d.justify));
      label->setTextFormat(Qt::PlainText);
      Paint(label, QPalette::Window, d.colour, QPalette::WindowText, d.textColour);
      return label;
    }
    case Kind::Edit: {
      auto* edit = new FieldEdit(parent);
      edit->setAlignment(AlignmentOf(d.justify));
      Paint(edit, QPalette::Base, d.colour, QPalette::Text, d.textColour);
      if (d.colour != kNoColour) edit->SetBackground(ColourOf(d.colour));
      return edit;
    }
    case Kind::CheckBox:
    case Kind::Radio: {
      QAbstractButton* box = d.kind == Kind::Radio
                                 ? static_cast<QAbstractButton*>(new FocusMarked<QRadioButton>(parent))
                                 : new FocusMarked<QCheckBox>(parent);
      box->setText(caption);
      Paint(box, QPalette::Window, d.colour, QPalette::WindowText, d.textColour);
      return box;
    }
    case Kind::DriveBox:
      return new DriveBox(parent);
    case Kind::FolderList:
      return new FolderList(parent);
  }
  return nullptr;
}

QString Expand(const char* pattern, int n) {
  if (!pattern || !*pattern) return {};
  char buf[160];
  std::snprintf(buf, sizeof buf, pattern, n);
  return QString::fromUtf8(buf);
}

}  // namespace

void InstallFontSubstitutes() {
  static const struct {
    const char* from;
    const char* to;
  } kSubstitutes[] = {
      {"ＭＳ ゴシック", "IPAGothic"},   {"ＭＳ 明朝", "IPAMincho"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS Gothic", "IPAGothic"},       {"MS Mincho", "IPAMincho"},
      {"MS PGothic", "IPAPGothic"},     {"MS PMincho", "IPAPMincho"},
  };
  for (const auto& s : kSubstitutes) {
    QFont::insertSubstitution(QString::fromUtf8(s.from), QString::fromUtf8(s.to));
  }
}

QFont FontOf(const FontSpec& fontSpec) {
  QFont font(QString::fromUtf8(fontSpec.family));
  font.setPixelSize(fontSpec.pixels);
  font.setBold(fontSpec.bold);
  return font;
}

QString NameOf(const ControlDef& d, int i) {
  return d.repeat > 1 ? Expand(d.name, i) : QString::fromUtf8(d.name);
}

QString CaptionOf(const ControlDef& d, int i) {
  return d.repeat > 1 ? Expand(d.caption, i) : QString::fromUtf8(d.caption ? d.caption : "");
}

QList<QWidget*> BuildControls(QWidget* window, std::span<const ControlDef> table,
                              ControlMap& controls) {
  QList<QWidget*> made;
  for (const ControlDef& d : table) {
    QWidget* parent = window;
    if (d.parent && *d.parent) parent = controls.value(QString::fromUtf8(d.parent), window);
    for (int i = 1; i <= d.repeat; ++i) {
      const QString name = NameOf(d, i);
      ControlDef one = d;
      if (i % 2 == 0 && d.evenColour != kNoColour) one.colour = d.evenColour;
      QWidget* w = Create(one, parent, CaptionOf(d, i));
      w->setObjectName(name);
      w->setFont(FontOf(d.font));
      w->setGeometry(d.x + d.dx * (i - 1), d.y + d.dy * (i - 1), d.w, d.h);
      if (!d.visible) w->setVisible(false);
      if (!name.isEmpty()) {
        controls.insert(name, w);
        made.append(w);
      }
    }
  }
  return made;
}

}  // namespace tankora::app
