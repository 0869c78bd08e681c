#include "app/report_output.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cstdlib>
#include <system_error>

namespace tankora::app {

namespace fs = std::filesystem;

namespace {

// Reports are drawn at 600 dots per inch: the grid's pen of 3 units and the
// truncation of millimetres to dots are those of the office's 600-dpi printers.
constexpr int kDpi = 600;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

QPageLayout::Orientation OrientationOf(print::Orientation orientation) {
  return orientation == print::Orientation::Landscape ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait;
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

fs::path PdfFolder() {
  const std::string dir = Environment("TANKORA_PRINT_DIR");
  if (!dir.empty()) return dir;
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  return fs::path(documents.toStdString()) / "タンコラ";
}

bool HasDesktop() {
  const QString platform = QGuiApplication::platformName();
  if (platform == "xcb") return !Environment("DISPLAY").empty();
  if (platform.startsWith("wayland")) return !Environment("WAYLAND_DISPLAY").empty();
  return false;
}

OutputPlan DefaultOutput(bool showPdf) {
  OutputPlan plan;
  plan.pdfFolder = PdfFolder();
  plan.openViewer = showPdf && HasDesktop();
  if (Environment("TANKORA_PRINT") == "pdf") return plan;
  const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
  if (printer.isNull()) return plan;
  plan.pdf = false;
  plan.printer = printer.printerName();
  return plan;
}

ReportOutput::ReportOutput(OutputPlan plan) : plan_(std::move(plan)) {}

ReportOutput::~ReportOutput() {
  if (painter_ && painter_->isActive()) painter_->end();
  std::error_code ec;
  if (!partial_.empty()) fs::remove(partial_, ec);
}

print::Canvas* ReportOutput::Begin(const print::DocumentInfo& info) {
  result_ = {};
  painter_ = std::make_unique<QPainter>();
  return plan_.pdf ? BeginPdf(info) : BeginPrinter(info);
}

print::Canvas* ReportOutput::BeginPrinter(const print::DocumentInfo& info) {
  printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(plan_.printer),
                                        QPrinter::HighResolution);
  printer_->setFullPage(true);
  printer_->setResolution(kDpi);
  printer_->setCopyCount(1);
  printer_->setPageSize(QPageSize(QPageSize::A4));
  printer_->setPageOrientation(OrientationOf(info.orientation));
  printer_->setDocName(Q(info.title));
  result_.printer = plan_.printer.toStdString();
  if (!painter_->begin(printer_.get())) {
    result_.error = "プリンタ「" + result_.printer + "」に送れません";
    return nullptr;
  }
  // The drawing origin is the corner of the printable area, and each position
  // is moved by the printer's physical offset once more, as the office's
  // margins have always been set against: twice the unprintable margin from
  // the paper's edge.
  QPageLayout layout = printer_->pageLayout();
  layout.setUnits(QPageLayout::Point);
  const QMarginsF unprintable = layout.minimumMargins();
  const int dpi = printer_->resolution();
  const QPointF offset(2 * unprintable.left() * dpi / 72, 2 * unprintable.top() * dpi / 72);
  canvas_ = std::make_unique<QtCanvas>(*painter_, *printer_, dpi, offset);
  return canvas_.get();
}

print::Canvas* ReportOutput::BeginPdf(const print::DocumentInfo& info) {
  std::error_code ec;
  if (!plan_.pdfFile.empty()) {
    target_ = plan_.pdfFile;
  } else {
    fs::create_directories(plan_.pdfFolder, ec);
    target_ = plan_.pdfFolder / info.fileName;
  }
  // Written beside the target and renamed when complete, so a failed print
  // never leaves a PDF cut short where the last good one was.
  partial_ = target_;
  partial_ += ".part";
  writer_ = std::make_unique<QPdfWriter>(Q(partial_));
  writer_->setResolution(kDpi);
  writer_->setPageSize(QPageSize(QPageSize::A4));
  writer_->setPageOrientation(OrientationOf(info.orientation));
  writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
  writer_->setTitle(Q(info.title));
  writer_->setCreator(QStringLiteral("タンコラ"));
  if (!painter_->begin(writer_.get())) {
    result_.error = "PDFを書けません: " + target_.string();
    return nullptr;
  }
  canvas_ = std::make_unique<QtCanvas>(*painter_, *writer_, kDpi, QPointF(0, 0));
  return canvas_.get();
}

print::OutputResult ReportOutput::Finish() {
  const bool drawn = painter_ && painter_->isActive();
  if (drawn) painter_->end();
  canvas_.reset();
  if (!drawn) return result_;
  if (!plan_.pdf) {
    result_.ok = true;
    return result_;
  }
  writer_.reset();  // closes the file
  std::error_code ec;
  if (fs::file_size(partial_, ec) == 0 || ec) {
    result_.error = "PDFを書けません: " + target_.string();
    return result_;
  }
  fs::rename(partial_, target_, ec);
  if (ec) {
    result_.error = "PDFを書けません: " + target_.string() + ": " + ec.message();
    return result_;
  }
  partial_.clear();
  result_.ok = true;
  result_.pdfPath = target_.string();
  if (plan_.openViewer && !QDesktopServices::openUrl(QUrl::fromLocalFile(Q(target_)))) {
    result_.notShown = true;
  }
  return result_;
}

}  // namespace tankora::app
