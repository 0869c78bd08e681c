#include "print/list_print.h"

#include "inspection/tenken_list_screen.h"
#include "ledger/keiyaku_list_screen.h"
#include "shell/list_params.h"
#include "shell/session_state.h"
#include "util/fixed_text.h"

namespace tankora::print {

namespace {

void FromCompany(const Session::State& s, ReportRequest& request) {
  const Record& jisya = s.jisya;
  request.company = {std::string(jisya.Get(Jisya::Teisyutusaki)),
                     std::string(jisya.Get(Jisya::Address)),
                     std::string(jisya.Get(Jisya::KaisyaName)),
                     std::string(jisya.Get(Jisya::Name)), std::string(jisya.Get(Jisya::Tel))};
  request.topMargin = std::string(jisya.Get(Jisya::TopMargine));
  request.leftMargin = std::string(jisya.Get(Jisya::LeftMargine));
}

void FromDate(const TypedDate& date, ReportRequest& request) {
  request.dateYear = date.year;
  request.dateMonth = date.month;
  request.dateDay = date.day;
}

}  // namespace

std::optional<ReportRequest> ListReportRequest(const Session::State& s, Screen screen) {
  ReportRequest request;
  FromCompany(s, request);
  const View& view = s.view;
  if (screen == Screen::TenkenList) {
    FromDate(ReadTypedDate(s, "Edit_TenkenGeppou_Year", "Edit_TenkenGeppou_Month",
                           "Edit_TenkenGeppou_Day"),
             request);
    switch (s.tenkenItiranMode) {
      case kTenkenGeppou:
        request.kind = ReportKind::Monthly;
        break;
      case kTenkenKobetu:
        request.kind = ReportKind::Customer;
        request.name = TrimBlanks(view.Text("Edit_TenkenGeppou_KokyakuName"));
        break;
      default:
        request.kind = ReportKind::Schedule;
        request.month = view.Text("Edit_TenkenYotei_Month");
        return request;
    }
    request.year = view.Text("Edit_TenkenGeppou_ChooseYear");
    request.month = view.Text("Edit_TenkenGeppou_ChooseMonth");
    return request;
  }
  if (screen == Screen::KeiyakuList) {
    FromDate(ReadTypedDate(s, "Edit_HosyuKeiyaku_Geppou_Year", "Edit_HosyuKeiyaku_Geppou_Month",
                           "Edit_HosyuKeiyaku_Geppou_Day"),
             request);
    switch (s.keiyakuListMode) {
      case kKeiyakuGeppou:
        request.kind = ReportKind::Contract;
        request.year = view.Text("Edit_HosyuKeiyaku_Geppou_ChooseYear");
        request.month = view.Text("Edit_HosyuKeiyaku_Geppou_ChooseMonth");
        break;
      case kKeiyakuEnd:
        request.kind = ReportKind::ContractEnd;
        request.year = view.Text("Edit_Kouji_KokyakuEndYear");
        request.month = view.Text("Edit_Kouji_KokyakuEndMonth");
        break;
      default:
        request.kind = ReportKind::Collection;
        request.month = view.Text("Edit_Kouji_SyuukinMonth");
        break;
    }
    return request;
  }
  return std::nullopt;
}

PrintOutcome ListPrint(Session::State& s, Screen screen, PrintTarget& target) {
  const std::optional<ReportRequest> request = ListReportRequest(s, screen);
  if (!request) return {};
  PrintOutcome outcome = PrintReport(s.store, *request, s.eras, target);
  // A PDF that was written but could not be shown is still news to act on.
  const bool plain = outcome.status == PrintStatus::Printed && !outcome.output.notShown;
  s.SetNotice(outcome.notice, plain ? NoticeKind::Info : NoticeKind::Problem);
  return outcome;
}

void InstallListPrint(Session& session,
                      std::function<std::unique_ptr<PrintTarget>()> makeTarget) {
  session.state().seams.listPrint = [makeTarget = std::move(makeTarget)](Session& s,
                                                                         Screen screen) {
    const std::unique_ptr<PrintTarget> target = makeTarget();
    ListPrint(s.state(), screen, *target);
  };
}

}  // namespace tankora::print
