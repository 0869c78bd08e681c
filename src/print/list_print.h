// F1 印刷 of the two list screens: the view in front printed from the edits
// as they stand, through the same PrintReport as `tankora print`, and the
// outcome in the notice line.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "print/print_job.h"
#include "shell/session.h"

namespace tankora::print {

// The report of the view in front of `screen` (the inspection or the contract
// list screen), asked for with what its edits hold and the company record.
std::optional<ReportRequest> ListReportRequest(const Session::State& s, Screen screen);

// Prints that report on `target` and says in the notice line what happened:
// "3頁を印刷しました（プリンタ名）", "PDFを保存しました: …", "該当するデータがありません",
// or why the input was refused.
PrintOutcome ListPrint(Session::State& s, Screen screen, PrintTarget& target);

// Makes F1 印刷 of the list screens print on a target from `makeTarget`, one
// for each print (the window's printer or PDF output).
void InstallListPrint(Session& session,
                      std::function<std::unique_ptr<PrintTarget>()> makeTarget);

}  // namespace tankora::print
