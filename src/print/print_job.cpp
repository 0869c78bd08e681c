#include "print/print_job.h"

#include <vector>

#include "inspection/tenken_lists.h"
#include "ledger/keiyaku_lists.h"
#include "store/kokyaku_snapshot.h"
#include "store/store.h"
#include "util/cp932.h"
#include "util/fixed_text.h"

namespace tankora::print {

namespace {

std::vector<RowSource> SlipRows(const Store& store, const std::vector<int>& slipNos) {
  std::vector<RowSource> rows;
  rows.reserve(slipNos.size());
  for (TenkenListRow& row : TenkenListRows(store, slipNos)) {
    RowSource source;
    source.slip = std::move(row.slip);
    // A slip whose customer is not found prints with its customer columns empty.
    if (row.kokyakuNo != 0) source.customer = std::move(row.kokyaku);
    rows.push_back(std::move(source));
  }
  return rows;
}

std::vector<RowSource> CustomerRows(const Store& store, const std::vector<int>& kokyakuNos) {
  std::vector<RowSource> rows;
  rows.reserve(kokyakuNos.size());
  for (KokyakuRow& row : KokyakuRows(store, kokyakuNos)) {
    RowSource source;
    if (row.kokyakuNo != 0) source.customer = std::move(row.kokyaku);
    rows.push_back(std::move(source));
  }
  return rows;
}

std::vector<RowSource> Select(const Store& store, const ReportRequest& request,
                              const CheckedInput& input) {
  switch (request.kind) {
    case ReportKind::Monthly:
      return SlipRows(store, TenkenGeppouSelect(store, input.westernYear, input.month));
    case ReportKind::Customer:
      return SlipRows(store, TenkenKobetuSelect(store, TrimBlanks(request.name)));
    case ReportKind::Schedule: {
      // The printed schedule has its own check column to tick by hand: no
      // marks, every customer in list order.
      std::vector<int> customers;
      for (const TenkenYoteiEntry& entry : TenkenYoteiSelect(store, input.month, 0, 0))
        customers.push_back(entry.kokyakuNo);
      return CustomerRows(store, customers);
    }
    case ReportKind::Contract:
      return CustomerRows(store, KeiyakuGeppouSelect(store, input.westernYear, input.month));
    case ReportKind::ContractEnd:
      return CustomerRows(store, KeiyakuEndSelect(store, input.westernYear, input.month));
    case ReportKind::Collection:
      return CustomerRows(store, SyuukinYoteiSelect(store, input.month));
  }
  return {};
}

std::string PrintedNotice(const OutputResult& output, int pages) {
  if (!output.pdfPath.empty()) {
    std::string notice = "PDFを保存しました: " + output.pdfPath;
    if (output.notShown) notice += "（PDF を表示するアプリケーションがないため、開けませんでした）";
    return notice;
  }
  std::string notice = std::to_string(pages) + "頁を印刷しました";
  if (!output.printer.empty()) notice += "（" + output.printer + "）";
  return notice;
}

// A customer is found by any spelling of its name (see SameTextSpellings).
bool IsSomebodysName(const Store& store, std::string_view name) {
  for (const std::string& spelling : SameTextSpellings(TrimBlanks(name))) {
    if (store.KokyakuFind(spelling) != 0) return true;
  }
  return false;
}

}  // namespace

PreparedReport PrepareReport(const Store& store, const ReportRequest& request,
                             const EraCalendar& eras) {
  PreparedReport prepared;
  const InputCheck check = CheckInput(request, eras);
  if (!check.input) {
    prepared.status = PrintStatus::Refused;
    prepared.refusal = check.refusal;
    return prepared;
  }
  ReportRun run = RunFrame(request, *check.input, eras);
  run.rows = Select(store, request, *check.input);
  if (run.rows.empty()) {
    // A name that is nobody's is a typing slip worth naming, not an empty list.
    if (request.kind == ReportKind::Customer && !IsSomebodysName(store, request.name)) {
      prepared.status = PrintStatus::Refused;
      prepared.refusal =
          "顧客「" + Cp932ToUtf8(TrimBlanks(request.name)) + "」は登録されていません";
    } else {
      prepared.status = PrintStatus::NoData;
      prepared.refusal = std::string(kNoData);
    }
    return prepared;
  }
  prepared.status = PrintStatus::Printed;
  prepared.document.orientation = run.layout->orientation;
  prepared.document.title = std::string(Title(request.kind));
  prepared.document.fileName = PdfFileName(request, *check.input);
  prepared.document.pages = PageCount(run);
  prepared.run = std::move(run);
  return prepared;
}

PrintOutcome OutputReport(const PreparedReport& prepared, const EraCalendar& eras,
                          PrintTarget& target) {
  PrintOutcome outcome;
  if (!prepared.run) {
    outcome.status = prepared.status;
    outcome.notice = prepared.refusal;
    return outcome;
  }
  Canvas* canvas = target.Begin(prepared.document);
  if (canvas) outcome.pages = DrawReport(*prepared.run, eras, *canvas);
  outcome.output = target.Finish();
  if (!canvas || !outcome.output.ok) {
    outcome.status = PrintStatus::Failed;
    outcome.notice = "印刷できませんでした: " + outcome.output.error;
    return outcome;
  }
  outcome.status = PrintStatus::Printed;
  outcome.notice = PrintedNotice(outcome.output, outcome.pages);
  return outcome;
}

PrintOutcome PrintReport(const Store& store, const ReportRequest& request, const EraCalendar& eras,
                         PrintTarget& target) {
  return OutputReport(PrepareReport(store, request, eras), eras, target);
}

}  // namespace tankora::print
