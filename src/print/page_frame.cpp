#include "print/page_frame.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora::print {

namespace {

// Draws with absolute millimetres and sets a font or pen only when it
// changes (a 40-page run would otherwise switch fonts thousands of times).
class FramePen final {
 public:
  FramePen(Canvas& canvas, int left, int top) : canvas_(canvas), left_(left), top_(top) {}

  void Text(FontFace face, double points, int x, int y, std::string_view text) {
    if (!haveFont_ || face_ != face || points_ != points) {
      canvas_.SetFont(face, points);
      haveFont_ = true;
      face_ = face;
      points_ = points;
    }
    canvas_.Text(At(x, y), text);
  }
  void Pen(int width, PenStyle style) {
    if (havePen_ && penWidth_ == width && penStyle_ == style) return;
    canvas_.SetPen(width, style);
    havePen_ = true;
    penWidth_ = width;
    penStyle_ = style;
  }
  void Line(int x0, int y0, int x1, int y1) {
    const std::array<PointMm, 2> line{At(x0, y0), At(x1, y1)};
    canvas_.Polyline(line);
  }
  void Box(int right, int top, int bottom) {
    const std::array<PointMm, 5> box{At(0, top), At(0, bottom), At(right, bottom), At(right, top),
                                     At(0, top)};
    canvas_.Polyline(box);
  }
  void NewPage() {
    canvas_.NewPage();
    // A new page may come with a fresh device state; say everything again.
    haveFont_ = false;
    havePen_ = false;
  }

 private:
  PointMm At(int x, int y) const {
    return {static_cast<double>(kOriginX + left_ + x), static_cast<double>(kOriginY + top_ + y)};
  }

  Canvas& canvas_;
  int left_;
  int top_;
  bool haveFont_ = false;
  FontFace face_ = FontFace::Gothic;
  double points_ = 0;
  bool havePen_ = false;
  int penWidth_ = 0;
  PenStyle penStyle_ = PenStyle::Solid;
};

std::string_view HeaderValue(Slot slot, const ReportRun& run, const RowSource& first,
                             std::string_view pageText) {
  switch (slot) {
    case Slot::Caption:
      return {};
    case Slot::DateText:
      return run.dateText;
    case Slot::PageText:
      return pageText;
    case Slot::Teisyutusaki:
      return run.company.teisyutusaki;
    case Slot::Address:
      return run.company.address;
    case Slot::KaisyaName:
      return run.company.kaisyaName;
    case Slot::CompanyName:
      return run.company.name;
    case Slot::Tel:
      return run.company.tel;
    case Slot::SlipCustomer:
      return first.slip ? first.slip->Get(TenkenDenp::KokyakuName) : std::string_view();
  }
  return {};
}

void DrawGrid(const ReportLayout& layout, FramePen& pen) {
  pen.Pen(kGridPen, PenStyle::Solid);
  pen.Box(layout.frameRight, 3, layout.frameBottom);
  for (const auto& rules : layout.grid) {
    for (const Rule& rule : rules) {
      if (rule.style == PenStyle::Dotted) {
        pen.Pen(kDottedPen, PenStyle::Dotted);
      } else {
        pen.Pen(kGridPen, PenStyle::Solid);
      }
      for (int k = 0; k < rule.count; ++k) {
        pen.Line(rule.x0 + k * rule.dx, rule.y0 + k * rule.dy, rule.x1 + k * rule.dx,
                 rule.y1 + k * rule.dy);
      }
    }
  }
  // The next page's frame starts with the solid pen, as every page does.
  pen.Pen(kGridPen, PenStyle::Solid);
}

}  // namespace

double FitPoints(std::string_view text, double points, double roomMm) {
  const std::size_t last = text.find_last_not_of(' ');
  if (last == std::string_view::npos) return points;
  // Half-width characters are half a point size wide, full-width ones (two
  // bytes) a whole one: the width in bytes times half the size.
  const double bytes = static_cast<double>(last + 1);
  const double usable = roomMm - kCellGapMm;
  if (bytes * points / 2 * kMmPerPoint <= usable) return points;
  const double fitting = std::floor(usable / kMmPerPoint * 2 / bytes * 2) / 2;  // half points
  return std::max(kMinRowPoints, fitting);
}

int PageCount(const ReportRun& run) {
  const int rows = run.layout ? run.layout->rowsPerPage : 0;
  const int n = static_cast<int>(run.rows.size());
  return rows <= 0 ? 0 : (n + rows - 1) / rows;
}

int DrawReport(const ReportRun& run, const EraCalendar& eras, Canvas& canvas) {
  if (!run.layout || run.rows.empty()) return 0;
  const ReportLayout& layout = *run.layout;
  const int pages = PageCount(run);

  // The captions are written in UTF-8 in the tables; the canvas takes CP932.
  std::vector<std::string> captions[2];
  for (std::size_t part = 0; part < 2; ++part) {
    for (const HeaderText& item : layout.header[part]) {
      captions[part].push_back(item.caption ? Utf8ToCp932(item.caption).value_or("")
                                            : std::string());
    }
  }

  FramePen pen(canvas, run.leftMargin, run.topMargin);
  pen.Pen(kGridPen, PenStyle::Solid);
  const int n = static_cast<int>(run.rows.size());
  for (int i = 0; i < n; ++i) {
    const RowSource& row = run.rows[static_cast<std::size_t>(i)];
    const int r = i % layout.rowsPerPage;
    const int page = i / layout.rowsPerPage + 1;
    if (r == 0) {
      if (i > 0) pen.NewPage();
      const std::string pageText = run.pageText ? run.pageText(page, pages) : std::string();
      for (std::size_t part = 0; part < 2; ++part) {
        for (std::size_t h = 0; h < layout.header[part].size(); ++h) {
          const HeaderText& item = layout.header[part][h];
          const std::string_view text = item.slot == Slot::Caption
                                            ? captions[part][h]
                                            : HeaderValue(item.slot, run, row, pageText);
          pen.Text(item.face, item.points, item.x, item.y, text);
        }
      }
    }
    for (const auto& cells : layout.row) {
      for (const RowCell& cell : cells) {
        const std::optional<CellText> text = TextOfCell(cell.cell, row, run.month, eras);
        if (!text) continue;
        pen.Text(FontFace::Mincho, FitPoints(text->text, text->points, cell.right - cell.x),
                 cell.x, cell.y + r * layout.rowPitch, text->text);
      }
    }
    if (r == layout.rowsPerPage - 1 || i == n - 1) DrawGrid(layout, pen);
  }
  return pages;
}

TwoLines CellLines(std::string_view field, std::size_t width) {
  TwoLines lines = SplitTwoLines(field.substr(0, FitPrefix(field, 2 * width)), width, false);
  if (lines.first.size() < width) lines.first.append(width - lines.first.size(), ' ');
  if (lines.second.size() < width) lines.second.append(width - lines.second.size(), ' ');
  return lines;
}

std::string WidenPageRuns(std::string_view templ, int page, int pages) {
  std::string out(templ);
  const int numbers[2] = {pages, page};  // the last run first
  std::size_t end = out.size();
  for (const int number : numbers) {
    const std::size_t last = out.rfind('*', end == 0 ? 0 : end - 1);
    if (last == std::string::npos) break;
    std::size_t first = last;
    while (first > 0 && out[first - 1] == '*') --first;
    const std::size_t digits = std::to_string(number).size();
    const std::size_t run = last - first + 1;
    if (digits > run) out.insert(first, digits - run, '*');
    end = first;
  }
  return out;
}

}  // namespace tankora::print
