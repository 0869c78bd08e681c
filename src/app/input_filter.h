// What an edit makes of a change the user just made to its text: the typed
// part converted by the edit's input mode, stripped of what CP932 cannot
// store and cut to the bytes the record field has left. Kept apart from the
// widget so the rule can be tested on plain strings.
#pragma once

#include <QString>
#include <Qt>
#include <cstddef>

#include "shell/input_field.h"

namespace tankora::app {

struct FilteredInput {
  QString text;          // the edit's new text
  int caret = 0;         // where the caret goes: after what was kept of the typed part
  bool refused = false;  // something typed was dropped (too long, not storable)
};

// `before` is the text before the change, `after` the text the edit holds now
// with the caret at `caret`. The typed part is what lies between their common
// start and common end. `limited` false lifts the byte limit (an edit no
// record field stands behind).
FilteredInput FilterTyped(const QString& before, const QString& after, int caret,
                          std::size_t width, ImeMode ime, bool limited = true);

// The conversion of an input mode alone (half-width katakana for the reading,
// half-width ASCII where the input method is off, nothing for hiragana).
QString ConvertForIme(const QString& typed, ImeMode ime);

// What the edit asks of the input method: kana without predictions for the
// reading, Latin letters and digits where the input method is off, nothing
// for Japanese text. The conversion above still runs, since an input method
// may ignore the hints.
Qt::InputMethodHints InputHintsFor(ImeMode ime);

}  // namespace tankora::app
