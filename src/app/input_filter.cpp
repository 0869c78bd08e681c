#include "app/input_filter.h"

#include <algorithm>
#include <string>

#include "util/cp932.h"
#include "util/kana.h"

namespace tankora::app {

QString ConvertForIme(const QString& typed, ImeMode ime) {
  const std::string utf8 = typed.toStdString();
  switch (ime) {
    case ImeMode::HalfKana:
      return QString::fromStdString(ToHalfWidthKana(utf8));
    case ImeMode::Off:
    case ImeMode::HalfWidth:
      return QString::fromStdString(ToHalfWidthAscii(utf8));
    case ImeMode::Hira:
      break;
  }
  return typed;
}

Qt::InputMethodHints InputHintsFor(ImeMode ime) {
  // Codes and numbers: Latin letters and digits, and no predictions, since a
  // suggested word committed into a telephone number is only refused after.
  constexpr Qt::InputMethodHints codes = Qt::ImhLatinOnly | Qt::ImhNoPredictiveText;
  switch (ime) {
    case ImeMode::Hira:
      return Qt::ImhNone;
    case ImeMode::HalfKana:
      // Qt has no hint for a kana mode. The edit turns typed hiragana into
      // half-width katakana itself, so the input method may stay as it is;
      // its predictions would only offer kanji, which the reading refuses.
      return Qt::ImhNoPredictiveText;
    case ImeMode::Off:
      return codes;
    case ImeMode::HalfWidth:
      return codes | Qt::ImhPreferNumbers;
  }
  return Qt::ImhNone;
}

FilteredInput FilterTyped(const QString& before, const QString& after, int caret, std::size_t width,
                          ImeMode ime, bool limited) {
  // The unchanged start may not reach past the caret: typing "a" after "a"
  // must count the second one as typed, not as part of the start.
  const int shorter = static_cast<int>(std::min(before.size(), after.size()));
  int start = 0;
  while (start < shorter && start < caret && before[start] == after[start]) ++start;
  int end = 0;
  while (end < shorter - start &&
         before[before.size() - 1 - end] == after[after.size() - 1 - end]) {
    ++end;
  }
  const QString head = after.left(start);
  const QString tail = after.right(end);
  const QString typed = after.mid(start, after.size() - start - end);

  FilteredInput out;
  // Storable characters of the edit's mode only; each is judged alone so one
  // bad character does not take its neighbours with it. Surrogate pairs stay
  // together.
  QString kept;
  const QString converted = ConvertForIme(typed, ime);
  for (int i = 0; i < converted.size();) {
    const int len = converted[i].isHighSurrogate() && i + 1 < converted.size() ? 2 : 1;
    const QString ch = converted.mid(i, len);
    const char32_t code = len == 2 ? QChar::surrogateToUcs4(ch[0], ch[1]) : ch[0].unicode();
    if (code >= 0x20 && TakesCharacter(ime, code) && CanStoreCp932(ch.toStdString())) {
      kept += ch;
    } else {
      out.refused = true;
    }
    i += len;
  }

  if (limited) {
    const std::size_t used = Cp932Width((head + tail).toStdString());
    const std::size_t room = used < width ? width - used : 0;
    const std::string keptUtf8 = kept.toStdString();
    if (Cp932Width(keptUtf8) > room) {
      kept = QString::fromStdString(FitUtf8ToCp932Width(keptUtf8, room));
      out.refused = true;
    }
  }
  out.text = head + kept + tail;
  out.caret = static_cast<int>(head.size() + kept.size());
  return out;
}

}  // namespace tankora::app
