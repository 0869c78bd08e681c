// One print of a report from start to end: the input checks, the selection,
// the rows, the output and what the list screen's notice line says about it.
// The list screens' F1 and `tankora print` both come through PrintReport.
#pragma once

#include <optional>
#include <string>

#include "print/canvas.h"
#include "print/page_frame.h"
#include "print/reports.h"

namespace tankora {
class Store;
}

namespace tankora::print {

struct DocumentInfo {
  Orientation orientation = Orientation::Portrait;
  std::string title;     // the report's title (UTF-8)
  std::string fileName;  // the PDF's name, when the output is a file of its own choosing
  int pages = 0;
};

struct OutputResult {
  bool ok = false;
  std::string printer;  // the printer's name when it went to a printer (UTF-8)
  std::string pdfPath;  // the file when it was written as a PDF
  std::string error;    // why it failed (UTF-8)
  // The PDF was to be shown on the desktop and nothing could show it: it
  // is written all the same, and the notice says why it did not open.
  bool notShown = false;
};

// Where a report goes: a printer or a PDF file. The window's Qt layer
// implements it; the reports only see the canvas it hands out.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // The first page's canvas, or nullptr when the output could not begin
  // (Finish then says why).
  virtual Canvas* Begin(const DocumentInfo& info) = 0;
  // Ends the document (after Begin, whether it succeeded or not).
  virtual OutputResult Finish() = 0;
};

enum class PrintStatus {
  Printed,  // printed or written as a PDF
  Refused,  // the input was refused; nothing was printed
  NoData,   // nothing is selected; nothing was printed
  Failed,   // the printer or the file failed
};

struct PrintOutcome {
  PrintStatus status = PrintStatus::NoData;
  int pages = 0;
  OutputResult output;
  std::string notice;  // for the list screen's notice line (UTF-8)
};

// The input checked, the selection run and its rows read: a run ready to draw,
// or why there is none.
struct PreparedReport {
  PrintStatus status = PrintStatus::NoData;
  std::string refusal;  // Refused and NoData: the notice (UTF-8)
  std::optional<ReportRun> run;
  DocumentInfo document;
};
PreparedReport PrepareReport(const Store& store, const ReportRequest& request,
                             const EraCalendar& eras);

// Draws a prepared report on the target; a refused or empty one never
// touches it and gives its refusal as the notice.
PrintOutcome OutputReport(const PreparedReport& prepared, const EraCalendar& eras,
                          PrintTarget& target);

// Both of the above.
PrintOutcome PrintReport(const Store& store, const ReportRequest& request, const EraCalendar& eras,
                         PrintTarget& target);

}  // namespace tankora::print
