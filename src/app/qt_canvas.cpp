#include "app/qt_canvas.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPolygonF>
#include <cmath>
#include <vector>

#include "app/builder.h"
#include "util/cp932.h"

namespace tankora::app {

namespace {

// 1 / 25.4, as the positions were always converted: the whole product of
// millimetres and resolution, times this, truncated.
constexpr double kInchPerMm = 0.03937007874015748;

// A dotted separator is one device unit wide; its dots are 0.3 mm long and
// 0.3 mm apart at 600 dpi, so they stay dots on paper and on screen.
constexpr double kDotLength = 7;

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, QPagedPaintDevice& device, int dpi, QPointF offset)
    : painter_(painter), device_(device), dpi_(dpi), offset_(offset) {
  InstallFontSubstitutes();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBrush(Qt::NoBrush);
}

int QtCanvas::ToDevice(double mm, int dpi) {
  return static_cast<int>(std::trunc(std::trunc(mm * dpi) * kInchPerMm));
}

QPointF QtCanvas::Device(print::PointMm at) const {
  return QPointF(ToDevice(at.x, dpi_), ToDevice(at.y, dpi_)) + offset_;
}

void QtCanvas::SetFont(print::FontFace face, double points) {
  const std::string_view name = print::FontName(face);
  QFont font(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  font.setPointSizeF(points);
  font.setFixedPitch(true);
  font.setStyleHint(face == print::FontFace::Gothic ? QFont::SansSerif : QFont::Serif);
  // Unhinted outlines keep every half-width character exactly half as wide
  // as a full-width one, so fixed-width columns line up.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  painter_.setFont(font);
  ascent_ = QFontMetricsF(font, &device_).ascent();
}

void QtCanvas::SetPen(int width, print::PenStyle style) {
  QPen pen(Qt::black);
  pen.setWidth(width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  if (style == print::PenStyle::Dotted) pen.setDashPattern({kDotLength, kDotLength});
  painter_.setPen(pen);
}

void QtCanvas::Text(print::PointMm topLeft, std::string_view cp932) {
  const std::string utf8 = Cp932ToUtf8(cp932);
  const QPointF at = Device(topLeft);
  // The baseline lies one ascent below the top-left corner.
  painter_.drawText(QPointF(at.x(), at.y() + ascent_),
                    QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void QtCanvas::Polyline(std::span<const print::PointMm> points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const print::PointMm& p : points) polygon << Device(p);
  painter_.drawPolyline(polygon);
}

void QtCanvas::NewPage() {
  device_.newPage();
  // A new page keeps the painter's state; the frame sets font and pen again anyway.
}

}  // namespace tankora::app
