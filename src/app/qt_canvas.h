// The reports' canvas over QPainter, for the printer and for PDF files.
// Millimetres become device units the way the reports were always placed:
// trunc(mm × dots per inch / 25.4), plus the device's offset.
#pragma once

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointF>

#include "print/canvas.h"

namespace tankora::app {

class QtCanvas final : public print::Canvas {
 public:
  // `painter` is active on `device`, whose resolution is `dpi` dots per
  // inch; `offset` (device units) is added to every converted position.
  QtCanvas(QPainter& painter, QPagedPaintDevice& device, int dpi, QPointF offset);

  void SetFont(print::FontFace face, double points) override;
  void SetPen(int width, print::PenStyle style) override;
  void Text(print::PointMm topLeft, std::string_view cp932) override;
  void Polyline(std::span<const print::PointMm> points) override;
  void NewPage() override;

  // The device coordinate of a millimetre position along one axis.
  static int ToDevice(double mm, int dpi);

 private:
  QPointF Device(print::PointMm at) const;

  QPainter& painter_;
  QPagedPaintDevice& device_;
  int dpi_;
  QPointF offset_;
  double ascent_ = 0;
};

}  // namespace tankora::app
