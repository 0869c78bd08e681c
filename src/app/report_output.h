// Where a report goes: the system's default printer, or a PDF file. F1 印刷
// on the list screens and `tankora print` choose here and draw through
// QtCanvas; the reports themselves never learn which it was.
#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QString>
#include <filesystem>
#include <memory>

#include "app/qt_canvas.h"
#include "print/print_job.h"

namespace tankora::app {

struct OutputPlan {
  bool pdf = true;
  QString printer;                   // the printer's name (when !pdf)
  std::filesystem::path pdfFile;     // a PDF of this name, or
  std::filesystem::path pdfFolder;   // one named after the report in this folder
  bool openViewer = false;           // show the PDF with the desktop's viewer
};

// The folder of the PDFs: $TANKORA_PRINT_DIR, else タンコラ in the user's
// documents folder.
std::filesystem::path PdfFolder();
// True when there is a desktop to show a PDF on (not offscreen, not a bare display).
bool HasDesktop();
// What F1 does: the default printer when one is set up, unless
// TANKORA_PRINT=pdf; otherwise a PDF in PdfFolder(), shown on the desktop
// when `showPdf` and there is one.
OutputPlan DefaultOutput(bool showPdf);

class ReportOutput final : public print::PrintTarget {
 public:
  explicit ReportOutput(OutputPlan plan);
  ~ReportOutput() override;

  print::Canvas* Begin(const print::DocumentInfo& info) override;
  print::OutputResult Finish() override;

 private:
  print::Canvas* BeginPrinter(const print::DocumentInfo& info);
  print::Canvas* BeginPdf(const print::DocumentInfo& info);

  OutputPlan plan_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> canvas_;
  std::filesystem::path target_;
  std::filesystem::path partial_;
  print::OutputResult result_;
};

}  // namespace tankora::app
