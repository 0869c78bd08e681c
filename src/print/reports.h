// The six printed reports: what each one needs to be asked for, the checks of
// its inputs, and the run that its list screen's F1 and `tankora print` both
// prepare and draw.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "print/page_frame.h"
#include "print/report_layout.h"
#include "util/era.h"

namespace tankora {
class Store;
}

namespace tankora::print {

enum class ReportKind { Monthly, Customer, Schedule, Contract, ContractEnd, Collection };

inline constexpr ReportKind kReportKinds[] = {ReportKind::Monthly,  ReportKind::Customer,
                                              ReportKind::Schedule, ReportKind::Contract,
                                              ReportKind::ContractEnd, ReportKind::Collection};

// The command-line name: monthly, customer, schedule, contract, contract-end, collection.
std::string_view CommandName(ReportKind kind);
std::optional<ReportKind> ReportKindFromName(std::string_view name);
// The report's title as printed (UTF-8).
std::string_view Title(ReportKind kind);

const ReportLayout& MonthlyLayout();
const ReportLayout& CustomerLayout();
const ReportLayout& ScheduleLayout();
const ReportLayout& ContractLayout();
const ReportLayout& ContractEndLayout();
const ReportLayout& CollectionLayout();
const ReportLayout& LayoutOf(ReportKind kind);

// What a report is asked for with, as the list screen's edits hold it. Texts
// are CP932 as typed; the report checks them.
struct ReportRequest {
  ReportKind kind = ReportKind::Monthly;
  // The report date of the date line: a stored year ("%4d" Western, or
  // blanks), month and day.
  std::string dateYear;
  std::string dateMonth;
  std::string dateDay;
  // The report month's era year as typed ("8", "R8", "H30"): the monthly and
  // both contract reports; the per-customer list shows it in its page text.
  std::string year;
  // The report month (monthly, contract reports), the schedule month or the
  // collection month, as typed.
  std::string month;
  // The per-customer list: the customer's name.
  std::string name;
  // The print-position adjustment in millimetres, as stored (TopMargine,
  // LeftMargine); a text that is no number counts as 0.
  std::string topMargin;
  std::string leftMargin;
  CompanyBlock company;
};

// The report month a request names, once its checks have passed.
struct CheckedInput {
  int westernYear = 0;  // 0 where the report has no year
  int month = 0;        // 0 where the report has no month
};

// The input checks of the report; the reason for a refusal (UTF-8) or the
// checked values. Today's date comes from `eras`.
struct InputCheck {
  std::optional<CheckedInput> input;
  std::string refusal;
};
InputCheck CheckInput(const ReportRequest& request, const EraCalendar& eras);

// The page text of the report for page `page` of `pages` (CP932).
std::string PageTextOf(const ReportRequest& request, const CheckedInput& input,
                       const EraCalendar& eras, int page, int pages);

// The PDF's file name: the report's title and its month ("浄化槽保守点検月報_2026-11.pdf"),
// or the customer's name for the per-customer list (UTF-8).
std::string PdfFileName(const ReportRequest& request, const CheckedInput& input);

// Everything but the rows: layout, margins, date and page texts, company.
ReportRun RunFrame(const ReportRequest& request, const CheckedInput& input,
                   const EraCalendar& eras);

inline constexpr std::string_view kNoData = "該当するデータがありません";

}  // namespace tankora::print
