// What a report draws on: a page measured in millimetres from the paper's
// drawing origin. The reports know nothing of printers; the window's printer
// and PDF output implement this over QPainter, the tests record the calls.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tankora::print {

// The two faces the reports use, always regular and fixed-pitch.
enum class FontFace : std::uint8_t {
  Gothic,  // ＭＳ ゴシック: titles, captions, date and page texts
  Mincho,  // ＭＳ 明朝: data and the company block
};

// The face's name as the reports ask for it (UTF-8); the Qt layer maps it to
// an installed font.
std::string_view FontName(FontFace face);

enum class PenStyle : std::uint8_t { Solid, Dotted };

// Pen widths are device units of a 600-dpi page (3 for the grid, 1 for the
// dotted separators), so that a rule prints as thin as it always has.
inline constexpr int kGridPen = 3;
inline constexpr int kDottedPen = 1;

struct PointMm {
  double x = 0;
  double y = 0;
  bool operator==(const PointMm&) const = default;
};

enum class Orientation : std::uint8_t { Portrait, Landscape };

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void SetFont(FontFace face, double points) = 0;
  virtual void SetPen(int width, PenStyle style) = 0;
  // CP932 text with its top-left corner at the point, written as given:
  // trailing blanks included, so fixed-width columns line up.
  virtual void Text(PointMm topLeft, std::string_view cp932) = 0;
  // A line from the first point through the others.
  virtual void Polyline(std::span<const PointMm> points) = 0;
  // Ends the current page and begins the next one.
  virtual void NewPage() = 0;
};

}  // namespace tankora::print
