#include "app/print_command.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/cli.h"
#include "app/report_output.h"
#include "print/print_job.h"
#include "store/company.h"
#include "store/store.h"
#include "util/cp932.h"
#include "util/templates.h"

namespace tankora {

namespace {

enum Needs : unsigned { kYear = 1, kMonth = 2, kName = 4 };

// Which of --year, --month and --name a report takes, and which it must have.
struct ReportOptions {
  unsigned takes;
  unsigned needs;
};

ReportOptions OptionsOf(print::ReportKind kind) {
  switch (kind) {
    case print::ReportKind::Monthly:
    case print::ReportKind::Contract:
    case print::ReportKind::ContractEnd:
      return {kYear | kMonth, kYear | kMonth};
    case print::ReportKind::Customer:
      return {kYear | kName, kName};
    case print::ReportKind::Schedule:
    case print::ReportKind::Collection:
      return {kMonth, kMonth};
  }
  return {0, 0};
}

std::string ReportNames() {
  std::string names;
  for (const print::ReportKind kind : print::kReportKinds) {
    if (!names.empty()) names += ", ";
    names += print::CommandName(kind);
  }
  return names;
}

// "--name=value" or "--name value".
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                   const std::string& name, std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=')
    return arg.substr(name.size() + 1);
  if (i + 1 >= args.size()) {
    error = "option " + name + " needs a value";
    return std::nullopt;
  }
  return args[++i];
}

bool Is(const std::string& arg, const std::string& name) {
  return arg == name || arg.compare(0, name.size() + 1, name + "=") == 0;
}

std::optional<int> Millimetres(const std::string& text) {
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoi(text);
}

std::string Number(int value, const char* format) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::optional<PrintOptions> ParsePrintArguments(const std::vector<std::string>& args,
                                                std::optional<std::string>& dataDir,
                                                std::string& error) {
  PrintOptions options;
  std::optional<std::string> report;
  unsigned given = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::optional<std::string> value;
    const auto take = [&](const char* name) {
      value = OptionValue(args, i, name, error);
      return value.has_value();
    };
    if (Is(arg, "--year")) {
      if (!take("--year")) return std::nullopt;
      options.year = value;
      given |= kYear;
    } else if (Is(arg, "--month")) {
      if (!take("--month")) return std::nullopt;
      options.month = value;
      given |= kMonth;
    } else if (Is(arg, "--name")) {
      if (!take("--name")) return std::nullopt;
      options.name = value;
      given |= kName;
    } else if (Is(arg, "--date")) {
      if (!take("--date")) return std::nullopt;
      options.date = ParseIsoDate(*value);
      if (!options.date) {
        error = "--date wants a date as YYYY-MM-DD, not '" + *value + "'";
        return std::nullopt;
      }
    } else if (Is(arg, "--top") || Is(arg, "--left")) {
      const bool top = Is(arg, "--top");
      if (!take(top ? "--top" : "--left")) return std::nullopt;
      const std::optional<int> mm = Millimetres(*value);
      if (!mm) {
        error = std::string(top ? "--top" : "--left") + " wants millimetres from 0 to 99";
        return std::nullopt;
      }
      (top ? options.top : options.left) = mm;
    } else if (Is(arg, "--pdf")) {
      if (!take("--pdf")) return std::nullopt;
      if (value->empty()) {
        error = "--pdf needs a file name";
        return std::nullopt;
      }
      options.pdf = value;
    } else if (Is(arg, "--data")) {
      if (!take("--data")) return std::nullopt;
      if (value->empty()) {
        error = "--data needs a folder";
        return std::nullopt;
      }
      dataDir = value;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option '" + arg + "' for 'print'";
      return std::nullopt;
    } else if (!report) {
      report = arg;
    } else {
      error = "'print' takes one report, not '" + arg + "' too";
      return std::nullopt;
    }
  }
  if (!report) {
    error = "'print' needs a report: " + ReportNames();
    return std::nullopt;
  }
  const std::optional<print::ReportKind> kind = print::ReportKindFromName(*report);
  if (!kind) {
    error = "there is no report '" + *report + "' (" + ReportNames() + ")";
    return std::nullopt;
  }
  options.kind = *kind;
  const ReportOptions wanted = OptionsOf(*kind);
  const struct {
    unsigned bit;
    const char* option;
  } kOptions[] = {{kYear, "--year"}, {kMonth, "--month"}, {kName, "--name"}};
  for (const auto& o : kOptions) {
    if ((given & o.bit) && !(wanted.takes & o.bit)) {
      error = "'print " + *report + "' takes no " + o.option;
      return std::nullopt;
    }
    if (!(given & o.bit) && (wanted.needs & o.bit)) {
      error = "'print " + *report + "' needs " + o.option;
      return std::nullopt;
    }
  }
  return options;
}

std::string PrintUsageText() {
  return "REPORT and its options:\n"
         "  monthly, contract, contract-end   --year Y --month M  (the report month)\n"
         "  customer                          --name NAME [--year Y]  (Y for the page text)\n"
         "  schedule, collection              --month M\n"
         "Y is an era year as typed on screen: 8, R8, H30. All reports take\n"
         "--date YYYY-MM-DD (the report date, today by default) and --top MM --left MM\n"
         "(the print position, the company profile's by default). Without --pdf the\n"
         "report goes to the default printer, or to a PDF in $TANKORA_PRINT_DIR\n"
         "(else Documents/タンコラ) when none is set up or TANKORA_PRINT=pdf.\n"
         "Exit 0: printed (\"N pages\"); 3: nothing selected; 1: refused input or a\n"
         "failed output.\n";
}

int RunPrint(const std::filesystem::path& dataDir, const PrintOptions& options, int argc,
             char** argv, std::ostream& err) {
  if (const auto problem = TodayOverrideProblem()) {
    err << "tankora: " << *problem << "\n";
    return kExitUsage;
  }
  if (!CheckDataFolder(dataDir, err)) return kExitFailed;
  Store store(dataDir);
  if (Status open = store.OpenReadOnly(); !open) {
    err << "tankora: " << open.detail << "\n";
    return kExitFailed;
  }
  Company company(store.JisyaFile());
  if (Status loaded = company.Load(); !loaded) {
    err << "tankora: " << loaded.detail << "\n";
    return kExitFailed;
  }
  const EraCalendar eras(EraCalendar::TodayFromEnvironment());

  print::ReportRequest request;
  request.kind = options.kind;
  const Date date = options.date.value_or(eras.Today());
  request.dateYear = Number(date.year, "%4d");
  request.dateMonth = Number(date.month, "%2d");
  request.dateDay = Number(date.day, "%2d");
  const auto cp932 = [&](const std::optional<std::string>& utf8, const char* what,
                         std::string& out) {
    if (!utf8) return true;
    const std::optional<std::string> bytes = Utf8ToCp932(*utf8);
    if (!bytes) {
      err << "tankora: " << what << " '" << *utf8
          << "' has characters the data files cannot hold\n";
    }
    out = bytes.value_or("");
    return bytes.has_value();
  };
  if (!cp932(options.year, "--year", request.year) ||
      !cp932(options.month, "--month", request.month) ||
      !cp932(options.name, "--name", request.name)) {
    return kExitFailed;
  }
  // The per-customer list's year is only a caption: this year unless asked.
  if (!options.year) request.year = TwoDigitText(eras.CurrentEraYear());
  request.topMargin = options.top ? std::to_string(*options.top)
                                  : std::string(company.Get(CompanyField::TopMargine));
  request.leftMargin = options.left ? std::to_string(*options.left)
                                    : std::string(company.Get(CompanyField::LeftMargine));
  request.company = {std::string(company.Get(CompanyField::Teisyutusaki)),
                     std::string(company.Get(CompanyField::Address)),
                     std::string(company.Get(CompanyField::KaisyaName)),
                     std::string(company.Get(CompanyField::Name)),
                     std::string(company.Get(CompanyField::Tel))};

  const print::PreparedReport prepared = print::PrepareReport(store, request, eras);
  if (prepared.status == print::PrintStatus::NoData) {
    err << prepared.refusal << "\n";
    return kExitNoData;
  }
  if (!prepared.run) {
    err << "tankora: " << prepared.refusal << "\n";
    return kExitFailed;
  }

  // Fonts need a GUI application, the display does not: without a platform
  // of its own choosing the print runs offscreen, so it works over ssh too.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  app::OutputPlan plan = app::DefaultOutput(false);
  if (options.pdf) {
    plan = {};
    plan.pdfFile = *options.pdf;
  }
  app::ReportOutput output(plan);
  const print::PrintOutcome outcome = print::OutputReport(prepared, eras, output);
  if (outcome.status != print::PrintStatus::Printed) {
    err << "tankora: " << outcome.notice << "\n";
    return kExitFailed;
  }
  err << outcome.pages << (outcome.pages == 1 ? " page" : " pages") << "\n";
  if (!options.pdf) {
    if (!outcome.output.pdfPath.empty()) {
      err << "written to " << outcome.output.pdfPath << "\n";
    } else {
      err << "printed on " << outcome.output.printer << "\n";
    }
  }
  return kExitOk;
}

}  // namespace tankora
