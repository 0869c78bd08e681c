// A report written as a PDF and read back with poppler's pdftotext -bbox:
// the title and one row's texts stand at their millimetres, in embedded IPA
// fonts, on as many pages as the frame counted.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/qt_canvas.h"
#include "app/report_output.h"
#include "print/reports.h"
#include "util/cp932.h"

namespace tankora::qttest {
namespace {

std::string Sj(const char* utf8) { return Utf8ToCp932(utf8).value(); }

struct Word {
  int page;
  double x, y;  // top-left corner, millimetres from the paper's corner
  QString text;
};

// Every word of the PDF with its box, as pdftotext -bbox reports it.
std::vector<Word> Words(const QString& pdf) {
  QProcess process;
  process.start("pdftotext", {"-bbox", pdf, "-"});
  if (!process.waitForFinished(30000)) return {};
  const QString html = QString::fromUtf8(process.readAllStandardOutput());
  std::vector<Word> words;
  int page = 0;
  static const QRegularExpression tag(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0).startsWith("<page")) {
      ++page;
      continue;
    }
    const double mmPerPoint = 25.4 / 72;
    words.push_back({page, m.captured(1).toDouble() * mmPerPoint,
                     m.captured(2).toDouble() * mmPerPoint, m.captured(3)});
  }
  return words;
}

QString Output(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(PrintPdf, MonthlyReportTextsStandAtTheirMillimetres) {
  QTemporaryDir dir;
  dir.setAutoRemove(std::getenv("KEEP_PDF") == nullptr);
  ASSERT_TRUE(dir.isValid());
  const EraCalendar eras{Date{2026, 12, 8}};
  print::ReportRequest request;
  request.kind = print::ReportKind::Monthly;
  request.dateYear = "2026";
  request.dateMonth = "12";
  request.dateDay = " 8";
  request.year = "8";
  request.month = "11";
  request.topMargin = "3";
  request.leftMargin = "5";
  request.company.teisyutusaki = Sj("前橋市長 様");
  const print::InputCheck check = print::CheckInput(request, eras);
  ASSERT_TRUE(check.input);
  print::ReportRun run = print::RunFrame(request, *check.input, eras);
  for (int i = 0; i < 13; ++i) {
    print::RowSource row;
    row.slip.emplace(TenkenDenpLayout());
    row.slip->Clear();
    row.slip->Set(TenkenDenp::Kanrisya, Sj(i == 0 ? "佐藤管理士" : "鈴木"));
    row.slip->Set(TenkenDenp::Ph, "7.2");
    run.rows.push_back(std::move(row));
  }

  app::OutputPlan plan;
  plan.pdfFile = (dir.path() + "/monthly.pdf").toStdString();
  app::ReportOutput output(plan);
  print::DocumentInfo info{print::Orientation::Landscape, "浄化槽保守点検月報", "", 2};
  print::Canvas* canvas = output.Begin(info);
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(print::DrawReport(run, eras, *canvas), 2);
  const print::OutputResult result = output.Finish();
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.pdfPath, plan.pdfFile.string());
  EXPECT_FALSE(QFile::exists(dir.path() + "/monthly.pdf.part"));

  const QString pdf = QString::fromStdString(result.pdfPath);
  const std::vector<Word> words = Words(pdf);
  ASSERT_FALSE(words.empty()) << "pdftotext found no text (is poppler-utils installed?)";
  // Report origin 10 + 5 mm right, 2 + 3 mm down; the positions are truncated
  // to whole 600-dpi dots, so they may lie up to 0.05 mm short.
  const struct {
    int page;
    const char* text;
    double x, y;
  } expected[] = {
      {1, "浄化槽保守点検月報", 115, 10},
      {1, "佐藤管理士", 68, 78},
      {1, "7.2", 209, 78},
      {2, "浄化槽保守点検月報", 115, 10},
      {2, "鈴木", 68, 78},
  };
  for (const auto& e : expected) {
    const auto it = std::find_if(words.begin(), words.end(), [&](const Word& w) {
      return w.page == e.page && w.text == QString::fromUtf8(e.text);
    });
    ASSERT_NE(it, words.end()) << e.text << " on page " << e.page;
    EXPECT_NEAR(it->x, e.x, 0.1) << e.text;
    EXPECT_NEAR(it->y, e.y, 0.1) << e.text;
  }

  EXPECT_TRUE(Output("pdfinfo", {pdf}).contains(QRegularExpression(R"(Pages:\s+2\b)")));
  EXPECT_TRUE(Output("pdfinfo", {pdf}).contains(QRegularExpression(R"(Page size:\s+842 x 595 pts \(A4\))")));
  // Both faces are embedded, so the PDF shows the same on any machine.
  const QString fonts = Output("pdffonts", {pdf});
  for (const char* face : {"IPAGothic", "IPAMincho"}) {
    const QRegularExpression line(QString(face) + R"(\S*\s+CID TrueType\s+\S+\s+yes)");
    EXPECT_TRUE(fonts.contains(line)) << face << "\n" << fonts.toStdString();
  }
}

// Truncation, as at 600 dots per inch: 12 mm is 283 dots, not 283.46.
TEST(PrintPdf, MillimetresTruncateToWholeDots) {
  EXPECT_EQ(app::QtCanvas::ToDevice(12, 600), 283);
  EXPECT_EQ(app::QtCanvas::ToDevice(115, 600), 2716);
  EXPECT_EQ(app::QtCanvas::ToDevice(0, 600), 0);
}

}  // namespace
}  // namespace tankora::qttest
