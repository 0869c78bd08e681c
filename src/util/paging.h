// Paging through a selection shown a fixed number of rows at a time. `top`
// is the index of the first entry shown; every page starts at a multiple of
// the row count, so a page turn never shows an entry twice.
#pragma once

#include <string>

namespace tankora {

// Pages a selection of `entries` fills; 0 for an empty one.
constexpr int PageCount(int entries, int rows) {
  return entries <= 0 || rows <= 0 ? 0 : (entries + rows - 1) / rows;
}
// The 1-based page that begins at `top` (0 for an empty selection).
constexpr int PageNumber(int top, int entries, int rows) {
  return PageCount(entries, rows) == 0 ? 0 : top / rows + 1;
}
// The top of the next page, or `top` itself on the last page.
constexpr int NextPageTop(int top, int entries, int rows) {
  return rows > 0 && top + rows < entries ? top + rows : top;
}
// The top of the previous page, or 0 on the first.
constexpr int PrevPageTop(int top, int rows) { return top - rows > 0 ? top - rows : 0; }

// "page / pages" for a page-number label ("0 / 0" when nothing is selected).
inline std::string PageLabel(int top, int entries, int rows) {
  return std::to_string(PageNumber(top, entries, rows)) + " / " +
         std::to_string(PageCount(entries, rows));
}

}  // namespace tankora
