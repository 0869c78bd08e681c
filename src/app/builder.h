// Widgets from the layout tables, and the fonts they name.
#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>
#include <span>

#include "app/layout.h"

namespace tankora::app {

using ControlMap = QHash<QString, QWidget*>;

// The screens name Windows fonts; here they are the IPA fonts, which keep
// the same 1 : 2 width of half- and full-width characters.
void InstallFontSubstitutes();
QFont FontOf(const FontSpec& fontSpec);

// The objectName and caption of the i-th control (1..repeat) a row makes:
// a repeated row's "%02d" / "%d" replaced by i.
QString NameOf(const ControlDef& d, int i);
QString CaptionOf(const ControlDef& d, int i);

// Creates the controls of `table` in order (later rows lie above earlier
// ones), each under its named parent or the window, and records every named
// control in `controls`. A parent must come before its children. Returns
// the named controls made, in order.
QList<QWidget*> BuildControls(QWidget* window, std::span<const ControlDef> table,
                              ControlMap& controls);

}  // namespace tankora::app
