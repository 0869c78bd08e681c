// A canvas that keeps every call as plain data, so a report test can say
// "the title stands at (110, 7) mm in ＭＳ ゴシック 18 on page 1".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/canvas.h"
#include "util/cp932.h"

namespace tankora::testing {

struct DrawnText {
  int page;
  print::FontFace face;
  double points;
  print::PointMm at;
  std::string text;  // CP932 as drawn
  std::string Utf8() const { return Cp932ToUtf8(text); }
};

struct DrawnLine {
  int page;
  int width;
  print::PenStyle style;
  std::vector<print::PointMm> points;
};

class RecordingCanvas final : public print::Canvas {
 public:
  void SetFont(print::FontFace face, double points) override {
    face_ = face;
    points_ = points;
    fontSet_ = true;
  }
  void SetPen(int width, print::PenStyle style) override {
    width_ = width;
    style_ = style;
  }
  void Text(print::PointMm at, std::string_view cp932) override {
    texts.push_back({page, fontSet_ ? face_ : print::FontFace(255), points_, at, std::string(cp932)});
  }
  void Polyline(std::span<const print::PointMm> points) override {
    lines.push_back({page, width_, style_, {points.begin(), points.end()}});
  }
  void NewPage() override {
    ++page;
    // A new page keeps nothing: a text drawn before its font is set shows up.
    fontSet_ = false;
    width_ = 0;
  }

  // The texts of a page whose UTF-8 form starts with `start`.
  std::vector<DrawnText> Find(int onPage, std::string_view start) const {
    std::vector<DrawnText> found;
    for (const DrawnText& t : texts) {
      if (t.page == onPage && t.Utf8().starts_with(start)) found.push_back(t);
    }
    return found;
  }
  // The lines of a page through exactly these two points.
  std::vector<DrawnLine> FindLine(int onPage, print::PointMm a, print::PointMm b) const {
    std::vector<DrawnLine> found;
    for (const DrawnLine& l : lines) {
      if (l.page == onPage && l.points.size() == 2 && l.points[0] == a && l.points[1] == b)
        found.push_back(l);
    }
    return found;
  }
  int Pages() const { return page; }

  int page = 1;
  std::vector<DrawnText> texts;
  std::vector<DrawnLine> lines;

 private:
  print::FontFace face_ = print::FontFace::Gothic;
  double points_ = 0;
  bool fontSet_ = false;
  int width_ = 0;
  print::PenStyle style_ = print::PenStyle::Solid;
};

}  // namespace tankora::testing
