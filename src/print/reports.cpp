#include "print/reports.h"

#include <cstdio>

#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/templates.h"

namespace tankora::print {

namespace {

struct KindInfo {
  ReportKind kind;
  std::string_view command;
  std::string_view title;
};

constexpr KindInfo kKinds[] = {
    {ReportKind::Monthly, "monthly", "浄化槽保守点検月報"},
    {ReportKind::Customer, "customer", "顧客別浄化槽保守点検一覧"},
    {ReportKind::Schedule, "schedule", "浄化槽保守点検実施予定"},
    {ReportKind::Contract, "contract", "浄化槽保守点検契約月報"},
    {ReportKind::ContractEnd, "contract-end", "浄化槽保守点検契約終了月報"},
    {ReportKind::Collection, "collection", "浄化槽保守点検集金予定"},
};

const KindInfo& InfoOf(ReportKind kind) {
  for (const KindInfo& info : kKinds) {
    if (info.kind == kind) return info;
  }
  return kKinds[0];
}

bool HasYear(ReportKind kind) {
  return kind == ReportKind::Monthly || kind == ReportKind::Customer ||
         kind == ReportKind::Contract || kind == ReportKind::ContractEnd;
}

// A month typed into a two-digit edit: 1 to 12 after blanks, else nullopt.
std::optional<int> MonthOf(std::string_view typed) {
  const std::string text = TrimBlanks(typed);
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int month = std::stoi(text);
  if (month < 1 || month > 12) return std::nullopt;
  return month;
}

// 令和 4年 as the year shows in the era in force at its end (UTF-8).
std::string EraYearText(const EraCalendar& eras, int westernYear) {
  char stored[8];
  std::snprintf(stored, sizeof stored, "%4d", westernYear);
  const std::optional<EraYear> shown = eras.ShownEraYear(stored);
  if (!shown) return std::to_string(westernYear) + "年";
  return Cp932ToUtf8(EraCalendar::Name(shown->era)) + std::to_string(shown->year) + "年";
}

std::string StoredYear(int westernYear) {
  char text[8];
  std::snprintf(text, sizeof text, "%4d", westernYear);
  return text;
}

// A name fit for a file: no folder separators or control characters.
std::string FileSafe(std::string text) {
  for (char& c : text) {
    if (c == '/' || (c >= 0 && c < 0x20)) c = '_';
  }
  return text;
}

}  // namespace

std::string_view CommandName(ReportKind kind) { return InfoOf(kind).command; }

std::optional<ReportKind> ReportKindFromName(std::string_view name) {
  for (const KindInfo& info : kKinds) {
    if (info.command == name) return info.kind;
  }
  return std::nullopt;
}

std::string_view Title(ReportKind kind) { return InfoOf(kind).title; }

const ReportLayout& LayoutOf(ReportKind kind) {
  switch (kind) {
    case ReportKind::Monthly:
      return MonthlyLayout();
    case ReportKind::Customer:
      return CustomerLayout();
    case ReportKind::Schedule:
      return ScheduleLayout();
    case ReportKind::Contract:
      return ContractLayout();
    case ReportKind::ContractEnd:
      return ContractEndLayout();
    case ReportKind::Collection:
      return CollectionLayout();
  }
  return MonthlyLayout();
}

InputCheck CheckInput(const ReportRequest& request, const EraCalendar& eras) {
  CheckedInput input;
  if (HasYear(request.kind)) {
    const std::optional<int> year = eras.ParseYear(request.year);
    if (!year) {
      return {std::nullopt, "年を正しく入力してください（今の元号の年か、H30 のように元号の頭文字と年）"};
    }
    // Reports are made for the recent past and the coming year only: a year
    // typed with a slip of the finger would otherwise print an empty month.
    const int thisYear = eras.Today().year;
    if (*year < thisYear - 4 || *year > thisYear + 1) {
      return {std::nullopt, "年は" + EraYearText(eras, thisYear - 4) + "から" +
                                EraYearText(eras, thisYear + 1) + "までを指定してください"};
    }
    input.westernYear = *year;
  }
  if (request.kind == ReportKind::Customer) {
    // The list has no month of its own; the date line's month is checked.
    if (!MonthOf(request.dateMonth)) return {std::nullopt, "日付の月は1から12までです"};
    if (TrimBlanks(request.name).empty()) return {std::nullopt, "顧客名を入力してください"};
  } else {
    const std::optional<int> month = MonthOf(request.month);
    if (!month) return {std::nullopt, "月は1から12までを指定してください"};
    input.month = *month;
  }
  return {input, {}};
}

std::string PageTextOf(const ReportRequest& request, const CheckedInput& input,
                       const EraCalendar& eras, int page, int pages) {
  const std::string month = TwoDigitText(input.month);
  const std::string pageText = TwoDigitText(page);
  const std::string pagesText = TwoDigitText(pages);
  const std::string year = StoredYear(input.westernYear);
  switch (request.kind) {
    case ReportKind::Monthly:
    case ReportKind::Contract:
    case ReportKind::ContractEnd:
      // The era is the one in force at the end of the month.
      return FillEraTemplate(eras, WidenPageRuns(templates::kMonthPageHeading, page, pages),
                             {year, month, {}}, {month, pageText, pagesText});
    case ReportKind::Customer:
      return FillEraTemplate(eras, WidenPageRuns(templates::kYearPageHeading, page, pages),
                             {year, {}, {}}, {pageText, pagesText});
    case ReportKind::Schedule:
      return FillTemplate(WidenPageRuns(templates::kSchedulePageHeading, page, pages),
                          {month, pageText, pagesText});
    case ReportKind::Collection:
      return FillTemplate(WidenPageRuns(templates::kCollectionPageHeading, page, pages),
                          {month, pageText, pagesText});
  }
  return {};
}

std::string PdfFileName(const ReportRequest& request, const CheckedInput& input) {
  std::string name(Title(request.kind));
  char suffix[32];
  switch (request.kind) {
    case ReportKind::Monthly:
    case ReportKind::Contract:
    case ReportKind::ContractEnd:
      std::snprintf(suffix, sizeof suffix, "_%04d-%02d", input.westernYear, input.month);
      name += suffix;
      break;
    case ReportKind::Customer:
      name += "_" + FileSafe(Cp932ToUtf8(TrimBlanks(request.name)));
      break;
    case ReportKind::Schedule:
    case ReportKind::Collection:
      name += "_" + std::to_string(input.month) + "月";
      break;
  }
  return name + ".pdf";
}

ReportRun RunFrame(const ReportRequest& request, const CheckedInput& input,
                   const EraCalendar& eras) {
  ReportRun run;
  run.layout = &LayoutOf(request.kind);
  run.topMargin = static_cast<int>(ValueOf(request.topMargin));
  run.leftMargin = static_cast<int>(ValueOf(request.leftMargin));
  run.dateText = DateLine(eras, {request.dateYear, request.dateMonth, request.dateDay});
  run.pageText = [request, input, &eras](int page, int pages) {
    return PageTextOf(request, input, eras, page, pages);
  };
  run.company = request.company;
  run.month = input.month;
  return run;
}

}  // namespace tankora::print
