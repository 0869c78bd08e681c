// A print from request to notice on the foreign office's files: each report
// selects through the list selections, refused and empty runs never reach the
// printer, and the notice line says what happened.
#include <gtest/gtest.h>

#include "print/print_job.h"
#include "recording_canvas.h"
#include "store/store.h"
#include "util/cp932.h"

namespace tankora::testing {
namespace {

using print::PrintStatus;
using print::ReportKind;

std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).value(); }

// Hands out a recording canvas and reports the result it was told to.
class FakeTarget final : public print::PrintTarget {
 public:
  print::Canvas* Begin(const print::DocumentInfo& info) override {
    begun = true;
    document = info;
    return fail ? nullptr : &canvas;
  }
  print::OutputResult Finish() override { return result; }

  bool fail = false;
  bool begun = false;
  print::DocumentInfo document;
  print::OutputResult result{true, "", "/tmp/x.pdf", ""};
  RecordingCanvas canvas;
};

class PrintJobTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.OpenReadOnly().ok()); }

  print::ReportRequest Request(ReportKind kind, const char* year, const char* month,
                               const char* name = "") const {
    print::ReportRequest r;
    r.kind = kind;
    r.dateYear = "2026";
    r.dateMonth = "12";
    r.dateDay = " 8";
    r.year = year;
    r.month = month;
    r.name = Sj(name);
    return r;
  }

  Store store{std::filesystem::path(TANKORA_FOREIGN_DATA) / "Data"};
  EraCalendar eras{Date{2026, 12, 8}};
};

struct SelectionCase {
  ReportKind kind;
  const char* year;
  const char* month;
  const char* name;
  int rows;
  const char* firstText;  // a text of the first row (UTF-8)
  const char* fileName;
};

TEST_F(PrintJobTest, EachReportPrintsItsSelection) {
  using enum ReportKind;
  const SelectionCase cases[] = {
      {Monthly, "R6", "1", "", 1, "佐藤管理士", "浄化槽保守点検月報_2024-01.pdf"},
      {Customer, "8", "", "上野ハナ", 3, "H24年 1月 1日", "顧客別浄化槽保守点検一覧_上野ハナ.pdf"},
      {Schedule, "", "1", "", 2, "上野ハナ", "浄化槽保守点検実施予定_1月.pdf"},
      {Contract, "4", "12", "", 1, " 4年12月21日", "浄化槽保守点検契約月報_2022-12.pdf"},
      {ContractEnd, "R9", "3", "", 6, "上野ハナ", "浄化槽保守点検契約終了月報_2027-03.pdf"},
      {Collection, "", "1", "", 4, "阿部健一", "浄化槽保守点検集金予定_1月.pdf"},
  };
  for (const SelectionCase& c : cases) {
    const std::string what(print::CommandName(c.kind));
    const print::PreparedReport prepared =
        print::PrepareReport(store, Request(c.kind, c.year, c.month, c.name), eras);
    ASSERT_TRUE(prepared.run) << what << ": " << prepared.refusal;
    EXPECT_EQ(prepared.run->rows.size(), static_cast<std::size_t>(c.rows)) << what;
    EXPECT_EQ(prepared.document.fileName, c.fileName) << what;
    EXPECT_EQ(prepared.document.pages, 1) << what;
    FakeTarget target;
    const print::PrintOutcome outcome = print::OutputReport(prepared, eras, target);
    EXPECT_EQ(outcome.status, PrintStatus::Printed) << what;
    EXPECT_EQ(outcome.notice, "PDFを保存しました: /tmp/x.pdf") << what;
    EXPECT_EQ(target.canvas.Find(1, c.firstText).size(), 1u) << what << ": " << c.firstText;
  }
}

struct RefusalCase {
  ReportKind kind;
  const char* year;
  const char* month;
  const char* name;
  PrintStatus status;
  const char* notice;
};

TEST_F(PrintJobTest, RefusedAndEmptyRunsNeverReachThePrinter) {
  using enum ReportKind;
  const RefusalCase cases[] = {
      {Monthly, "8", "1", "", PrintStatus::NoData, "該当するデータがありません"},
      {Monthly, "8", "13", "", PrintStatus::Refused, "月は1から12までを指定してください"},
      {Monthly, "R3", "1", "", PrintStatus::Refused, "年は令和4年から令和9年までを指定してください"},
      {Customer, "8", "", "誰か", PrintStatus::Refused, "顧客「誰か」は登録されていません"},
      // Slips whose customer is gone still print, their customer columns empty.
      {Customer, "8", "", "和田①号", PrintStatus::Printed, nullptr},
      // Stored with 髙 as EE E0, typed here as FB FC: the same customer.
      {Customer, "8", "", "髙北工務店", PrintStatus::Printed, nullptr},
      {Collection, "", "3", "", PrintStatus::NoData, "該当するデータがありません"},
  };
  for (const RefusalCase& c : cases) {
    FakeTarget target;
    const print::PrintOutcome outcome =
        print::PrintReport(store, Request(c.kind, c.year, c.month, c.name), eras, target);
    const std::string what = std::string(print::CommandName(c.kind)) + " " + c.name;
    EXPECT_EQ(outcome.status, c.status) << what << ": " << outcome.notice;
    if (c.notice) {
      EXPECT_EQ(outcome.notice, c.notice) << what;
    }
    EXPECT_EQ(target.begun, c.status == PrintStatus::Printed) << what;
  }
}

TEST_F(PrintJobTest, NoticeSaysWhereItWent) {
  const print::ReportRequest request = Request(ReportKind::ContractEnd, "9", "3");
  FakeTarget printer;
  printer.result = {true, "Office-Laser", "", ""};
  EXPECT_EQ(print::PrintReport(store, request, eras, printer).notice,
            "1頁を印刷しました（Office-Laser）");

  // Written, but no PDF viewer on the desktop: said, not left to look broken.
  FakeTarget unseen;
  unseen.result.notShown = true;
  EXPECT_EQ(print::PrintReport(store, request, eras, unseen).notice,
            "PDFを保存しました: /tmp/x.pdf（PDF を表示するアプリケーションがないため、開けませんでした）");
  EXPECT_EQ(printer.document.orientation, print::Orientation::Portrait);
  EXPECT_EQ(printer.document.pages, 1);

  FakeTarget broken;
  broken.fail = true;
  broken.result = {false, "", "", "PDFを書けません: /nowhere/x.pdf"};
  const print::PrintOutcome outcome = print::PrintReport(store, request, eras, broken);
  EXPECT_EQ(outcome.status, PrintStatus::Failed);
  EXPECT_EQ(outcome.notice, "印刷できませんでした: PDFを書けません: /nowhere/x.pdf");
}

}  // namespace
}  // namespace tankora::testing
