#include "shell/view.h"

#include "util/cp932.h"
#include "util/utf8.h"

namespace tankora {

void View::SetCaptionUtf8(std::string_view control, std::string_view utf8) {
  // A view that shows only CP932 leaves out the characters CP932 lacks.
  std::string cp932;
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Char c = DecodeUtf8(utf8, at);
    if (const auto bytes = Utf8ToCp932(utf8.substr(at, c.length))) cp932 += *bytes;
    at += c.length;
  }
  SetText(control, cp932);
}

}  // namespace tankora
