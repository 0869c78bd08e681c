#include "app/cli.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <system_error>

#include "store/record_layout.h"
#include "store/store.h"
#include "util/era.h"

namespace tankora {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::optional<CsvEncoding> EncodingFromName(const std::string& name) {
  const std::string n = Lower(name);
  if (n == "utf8" || n == "utf-8") return CsvEncoding::Utf8;
  if (n == "cp932") return CsvEncoding::Cp932;
  return std::nullopt;
}

// "--name=value" or "--name value": the value, advancing i for the latter.
// nullopt (with the error set) when the value is missing.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& name, std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == '=') {
    return arg.substr(name.size() + 1);
  }
  if (i + 1 >= args.size()) {
    error = "option " + name + " needs a value";
    return std::nullopt;
  }
  return args[++i];
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name || StartsWith(arg, name + "=");
}


// True when `file` would land inside the Data folder itself.
bool InsideDataFolder(const fs::path& file, const fs::path& dataDir) {
  std::error_code ec;
  fs::path parent = fs::absolute(file, ec).parent_path();
  if (ec) return false;
  return fs::equivalent(parent, dataDir, ec);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// True when an X server listens on the local socket of display number
// `number` (the abstract socket Xorg and Xvfb open, or the file in /tmp).
bool LocalXServerListens(const std::string& number) {
  const std::string path = "/tmp/.X11-unix/X" + number;
  for (const bool abstract : {true, false}) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;  // abstract names start with a NUL
    if (path.size() + offset >= sizeof address.sun_path) return true;  // cannot tell: let Qt try
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    if (connected) return true;
  }
  return false;
}

}  // namespace

bool CheckDataFolder(const fs::path& dataDir, std::ostream& err) {
  std::error_code ec;
  if (fs::is_directory(dataDir, ec)) return true;
  // A folder this user may not look into is there all the same.
  if (ec && ec != std::errc::no_such_file_or_directory) {
    err << "tankora: cannot read the Data folder " << dataDir.string() << ": " << ec.message()
        << "\n";
    return false;
  }
  if (fs::exists(dataDir, ec)) {
    err << "tankora: " << dataDir.string() << " is not a folder\n";
  } else {
    err << "tankora: there is no Data folder at " << dataDir.string()
        << " (use --data DIR or TANKORA_DATA to point at one)\n";
  }
  return false;
}

std::optional<std::string> TodayOverrideProblem() {
  const std::string today = Environment("TANKORA_TODAY");
  if (today.empty() || ParseIsoDate(today)) return std::nullopt;
  return "TANKORA_TODAY=" + today +
         " is not a date of the form YYYY-MM-DD from 1926-12-25 on; set it right or unset it "
         "to use today's date";
}

std::optional<std::string> DisplayProblem() {
  // A platform chosen by hand (offscreen, wayland, vnc ...) is Qt's to judge.
  if (!Environment("QT_QPA_PLATFORM").empty() || !Environment("WAYLAND_DISPLAY").empty()) {
    return std::nullopt;
  }
  const std::string display = Environment("DISPLAY");
  const std::string without =
      "; 'tankora info' and 'tankora export' work without one";
  if (display.empty()) {
    return "there is no display to open the window on (DISPLAY is not set): start it in a "
           "desktop session" + without;
  }
  // ":0", ":0.0" and "unix:0" are this machine's server, reachable through
  // its socket; a display on another host is left for Qt to reach.
  std::string rest = display;
  if (StartsWith(rest, "unix:")) rest = rest.substr(4);
  if (rest.empty() || rest[0] != ':') return std::nullopt;
  const std::string number = rest.substr(1, rest.find('.') - 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  if (LocalXServerListens(number)) return std::nullopt;
  return "cannot reach the display " + display + " (no X server answers there)" + without;
}

CliParse ParseCommandLine(const std::vector<std::string>& args) {
  CliParse result;
  CliOptions options;
  std::vector<std::string> words;
  bool sawAll = false;
  bool sawEncoding = false;
  bool help = false;
  bool version = false;
  std::optional<std::string> to, from;
  bool sawOnly = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "print" && words.empty()) {
      // Everything after "print" is the report's; it has options of its own.
      if (sawAll || sawEncoding || options.output || to || from || sawOnly) {
        result.error = "the options before 'print' belong to other commands";
        return result;
      }
      const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                          args.end());
      auto print = ParsePrintArguments(rest, options.dataDir, result.error);
      if (!print) return result;
      options.command = help ? CliCommand::Help : CliCommand::Print;
      options.print = *print;
      result.options = options;
      return result;
    }
    if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else if (IsOption(arg, "--data")) {
      auto value = OptionValue(args, i, "--data", result.error);
      if (!value) return result;
      if (value->empty()) {
        result.error = "--data needs a folder";
        return result;
      }
      options.dataDir = *value;
    } else if (arg == "--all") {
      sawAll = true;
      options.csv.includeDeleted = true;
    } else if (IsOption(arg, "--encoding")) {
      auto value = OptionValue(args, i, "--encoding", result.error);
      if (!value) return result;
      auto encoding = EncodingFromName(*value);
      if (!encoding) {
        result.error = "unknown encoding '" + *value + "' (utf8 or cp932)";
        return result;
      }
      sawEncoding = true;
      options.csv.encoding = *encoding;
    } else if (IsOption(arg, "--output") || arg == "-o") {
      auto value = OptionValue(args, i, arg == "-o" ? "-o" : "--output", result.error);
      if (!value) return result;
      if (value->empty()) {
        result.error = "--output needs a file name";
        return result;
      }
      options.output = *value;
    } else if (IsOption(arg, "--to") || IsOption(arg, "--from")) {
      const std::string name = IsOption(arg, "--to") ? "--to" : "--from";
      auto value = OptionValue(args, i, name, result.error);
      if (!value) return result;
      if (value->empty()) {
        result.error = name + " needs a folder";
        return result;
      }
      (name == "--to" ? to : from) = *value;
    } else if (IsOption(arg, "--only")) {
      auto value = OptionValue(args, i, "--only", result.error);
      if (!value) return result;
      auto only = ParseOnlyList(*value);
      if (!only) {
        result.error = "--only takes customers, slips and ledger, separated by commas";
        return result;
      }
      sawOnly = true;
      options.only = *only;
    } else if (arg == "--clean") {
      options.clean = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      result.error = "unknown option '" + arg + "'";
      return result;
    } else {
      words.push_back(arg);
    }
  }

  if (help || version) {
    options.command = help ? CliCommand::Help : CliCommand::Version;
    result.options = options;
    return result;
  }
  const bool exportOptions = sawAll || sawEncoding || options.output.has_value();
  const bool backupCommand = !words.empty() && (words[0] == "backup" || words[0] == "restore");
  if (!backupCommand && (to || from || sawOnly || options.clean)) {
    result.error = "--to, --from, --only and --clean belong to 'backup' and 'restore'";
    return result;
  }
  if (backupCommand) {
    const bool saving = words[0] == "backup";
    if (words.size() > 1 || exportOptions) {
      result.error = "'" + words[0] + "' takes no other arguments";
    } else if (saving ? from.has_value() : to.has_value()) {
      result.error = saving ? "'backup' writes --to a folder" : "'restore' reads --from a folder";
    } else if (!(saving ? to : from)) {
      result.error = saving ? "'backup' needs --to DIR" : "'restore' needs --from DIR";
    } else if (!saving && options.clean) {
      result.error = "--clean belongs to 'backup'";
    }
    if (!result.error.empty()) return result;
    options.command = saving ? CliCommand::Backup : CliCommand::Restore;
    options.folder = saving ? to : from;
    result.options = options;
    return result;
  }
  if (words.empty()) {
    if (exportOptions) {
      result.error = "--all, --encoding and --output belong to 'export'";
      return result;
    }
    options.command = CliCommand::Window;
  } else if (words[0] == "info") {
    if (words.size() > 1) {
      result.error = "'info' takes no arguments";
      return result;
    }
    if (exportOptions) {
      result.error = "--all, --encoding and --output belong to 'export'";
      return result;
    }
    options.command = CliCommand::Info;
  } else if (words[0] == "export") {
    if (words.size() != 2) {
      result.error = "'export' needs one of: customers, slips, ledger, company";
      return result;
    }
    auto table = CsvTableFromName(words[1]);
    if (!table) {
      result.error = "cannot export '" + words[1] + "' (customers, slips, ledger or company)";
      return result;
    }
    options.command = CliCommand::Export;
    options.csv.table = *table;
  } else if (words[0] == "check") {
    if (words.size() != 2 || words[1] != "intervals") {
      result.error = "'check' needs: intervals";
      return result;
    }
    if (sawAll || options.output) {
      result.error = "'check intervals' takes only --encoding; it writes to standard output";
      return result;
    }
    options.command = CliCommand::CheckIntervals;
  } else if (words[0] == "demo") {
    // Only into a folder named on purpose: never the office's own Data folder.
    const bool busy = words.size() == 2 && words[1] == "busy";
    if ((words.size() > 1 && !busy) || exportOptions || !options.dataDir) {
      result.error = "'demo' takes only --data DIR, a new or empty folder (and 'busy')";
      return result;
    }
    options.command = CliCommand::Demo;
    options.demoBusy = busy;
  } else {
    result.error = "unknown command '" + words[0] + "'";
    return result;
  }
  result.options = options;
  return result;
}

std::string UsageText() {
  return "Usage: tankora [--data DIR]                 start the program\n"
         "       tankora [--data DIR] info            show the Data folder and its record counts\n"
         "       tankora [--data DIR] export TABLE [--all] [--encoding utf8|cp932]"
         " [--output FILE]\n"
         "       tankora [--data DIR] backup --to DIR [--only customers,slips,ledger]"
         " [--clean]\n"
         "       tankora [--data DIR] restore --from DIR [--only customers,slips,ledger]\n"
         "       tankora [--data DIR] print REPORT [options] [--pdf FILE]\n"
         "       tankora [--data DIR] check intervals [--encoding utf8|cp932]\n"
         "       tankora --data DIR demo [busy]       write a demo office into a new folder\n"
         "       tankora --help | --version\n"
         "\n"
         "TABLE is customers (live ones in list order), slips, ledger (record order)\n"
         "or company. --all adds the deleted records. The CSV is UTF-8 with a\n"
         "byte-order mark unless --encoding cp932; it goes to standard output\n"
         "unless --output FILE.\n"
         "\n" +
         PrintUsageText() +
         "\n"
         "check intervals lists, as CSV, the live customers whose inspection months\n"
         "leave a longer gap than the law allows for their tank (by 単独/合併, treatment\n"
         "method and 人槽); tanks the table cannot judge are left out.\n"
         "\n"
         "backup copies the data files to DIR (Kokyaku.125, TenkenDenp.125, Kouji.125,\n"
         "Jisya.125); --clean leaves out deleted records and slips older than five\n"
         "years. restore copies them back into the Data folder, keeping the files it\n"
         "replaces in Data/Safety/<date and time>; it refuses while the window is open.\n"
         "The company profile always takes part.\n"
         "\n"
         "The Data folder is --data DIR, else $TANKORA_DATA, else Data beside the\n"
         "program, else $XDG_DATA_HOME/tankora/Data.\n";
}

fs::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec || self.empty()) self = fs::absolute(argv0 ? argv0 : ".", ec);
  return self.parent_path();
}

int RunInfo(const fs::path& dataDir, std::ostream& out, std::ostream& err) {
  if (!CheckDataFolder(dataDir, err)) return kExitFailed;
  Store store(dataDir);
  if (Status open = store.OpenReadOnly(); !open) {
    err << "tankora: " << open.detail << "\n";
    return kExitFailed;
  }
  struct Row {
    CsvTable table;
    const char* what;
  };
  const Row rows[] = {{CsvTable::Customers, "customers"},
                      {CsvTable::Slips, "inspection slips"},
                      {CsvTable::Ledger, "ledger entries"},
                      {CsvTable::Company, "company profile"}};
  std::error_code ec;
  const fs::path shown = fs::absolute(dataDir, ec).lexically_normal();
  std::string text = "Data folder: " + (ec ? dataDir : shown).string() + "\n";
  int present = 0;
  for (const Row& row : rows) {
    const RecordFile& file = FileOf(store, row.table);
    const fs::file_status status = fs::status(file.Path(), ec);
    const bool exists = fs::exists(status);
    if (exists) ++present;
    if (exists && (!fs::is_regular_file(status) || !std::ifstream(file.Path(), std::ios::binary))) {
      err << "tankora: cannot read " << file.Path().string() << "\n";
      return kExitFailed;
    }
    // A partial record, or a last one cut short: bytes the count leaves out.
    const long long stray = exists ? file.TailBytes() : 0;

    char line[160];
    std::snprintf(line, sizeof line, "  %-15s %6d %-8s %s", file.Path().filename().c_str(),
                  file.Count(), file.Count() == 1 ? "record" : "records", row.what);
    text += line;
    if (!exists) text += " (missing: the program creates it empty)";
    if (stray > 0) {
      text += " (+" + std::to_string(stray) + " bytes of a partial record at the end, not counted)";
    }
    text += "\n";
  }
  text += "Live customers: " + std::to_string(store.ActiveCount()) + "\n";
  if (present == 0) {
    // Most likely the folder above Data was named; say so rather than let
    // the zeros look like an empty office.
    err << "tankora: none of the record files is in " << dataDir.string()
        << "; --data names the Data folder itself\n";
  }
  out << text;
  out.flush();
  if (!out) {
    err << "tankora: cannot write to standard output\n";
    return kExitFailed;
  }
  return kExitOk;
}

int RunExport(const fs::path& dataDir, const CliOptions& options, std::ostream& out,
              std::ostream& err) {
  if (!CheckDataFolder(dataDir, err)) return kExitFailed;
  Store store(dataDir);
  if (Status open = store.OpenReadOnly(); !open) {
    err << "tankora: " << open.detail << "\n";
    return kExitFailed;
  }
  // Every Data folder the window has opened holds all four files. Without the
  // table's file this is most likely the folder above Data, and a CSV of just
  // the header would read as an office with nothing in it.
  const fs::path tableFile = FileOf(store, options.csv.table).Path();
  if (std::error_code ec; !fs::exists(tableFile, ec)) {
    err << "tankora: there is no " << tableFile.filename().string() << " in "
        << dataDir.string() << "; --data names the Data folder itself\n";
    return kExitFailed;
  }

  if (!options.output) {
    Status s = ExportCsv(store, options.csv, out);
    if (!s) {
      err << "tankora: "
          << (s.error == StoreError::WriteFailed ? "cannot write to standard output" : s.detail)
          << "\n";
      return kExitFailed;
    }
    return kExitOk;
  }

  const fs::path target = *options.output;
  std::error_code ec;
  const fs::file_status kind = fs::status(target, ec);
  if (fs::is_directory(kind)) {
    err << "tankora: " << target.string() << " is a folder; --output names a file\n";
    return kExitFailed;
  }
  // A device or a pipe (/dev/stdout, a FIFO) has no file to replace and is
  // written straight into: renaming over it would put a CSV file where the
  // device was. A link to a file has the file it names replaced, not the link.
  const bool stream = fs::exists(kind) && !fs::is_regular_file(kind);
  fs::path file = target;
  if (!stream && fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path link = fs::read_symlink(target, ec);
    if (!ec) file = link.is_absolute() ? link : target.parent_path() / link;
  }
  if (InsideDataFolder(target, dataDir) || InsideDataFolder(file, dataDir)) {
    err << "tankora: will not write " << target.string()
        << " into the Data folder; choose another place\n";
    return kExitFailed;
  }
  // A file is written beside the target and renamed over it, so an
  // interrupted or failed export never leaves a cut-off file that looks complete.
  fs::path temp = file;
  temp += ".tmp";
  const fs::path& written = stream ? target : temp;
  Status s = Status::Ok();
  int writeError = 0;
  {
    std::ofstream out(written, std::ios::binary | std::ios::trunc);
    if (!out) {
      err << "tankora: cannot write " << target.string() << ": " << std::strerror(errno) << "\n";
      return kExitFailed;
    }
    errno = 0;
    s = ExportCsv(store, options.csv, out);
    if (!s) writeError = errno;
    out.close();
    if (s && out.fail()) {
      writeError = errno;
      s = Status::Fail(StoreError::WriteFailed, "");
    }
  }
  if (s && !stream) fs::rename(temp, file, ec);
  if (!s || ec) {
    err << "tankora: ";
    if (s.error == StoreError::CannotOpen) {
      err << s.detail;
    } else {
      err << "cannot write " << target.string();
      if (ec) {
        err << ": " << ec.message();
      } else if (writeError != 0) {
        err << ": " << std::strerror(writeError);
      }
    }
    err << "\n";
    if (!stream) fs::remove(temp, ec);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace tankora
