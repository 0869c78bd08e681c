#include "print/canvas.h"

namespace tankora::print {

std::string_view FontName(FontFace face) {
  return face == FontFace::Gothic ? "ＭＳ ゴシック" : "ＭＳ 明朝";
}

}  // namespace tankora::print
