// libFuzzer target: a Data folder built from the input, then everything that
// reads it (the read-only open, CSV export of every table, the start-up open
// with its journals, the company profile, the backup folder setting, the
// sort) and a session driven by up to 200 screen actions taken from the rest
// of the input. At the end the files are opened again and must agree with
// what the session's store holds.
//
// Input: for each file of kFiles a 16-bit little-endian length (0xffff: the
// file is absent) and that many bytes, then the actions (see RunActions).
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/screen_def.h"
#include "shell/session.h"
#include "store/company.h"
#include "store/export_csv.h"
#include "store/store.h"
#include "util/era.h"

namespace {

namespace fs = std::filesystem;
using namespace tankora;

constexpr const char* kFiles[] = {
    "Kokyaku.120",         "TenkenDenp.120",         "Kouji.120",         "Jisya.120",
    "Kokyaku.120.journal", "TenkenDenp.120.journal", "Kouji.120.journal", "BackupFolder.500",
};
constexpr std::size_t kMaxFileBytes = 24 * 1000;
constexpr int kMaxActions = 200;

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
  bool Empty() const { return p_ == end_; }
  std::uint8_t Byte() { return p_ == end_ ? 0 : *p_++; }
  std::string_view Bytes(std::size_t n) {
    n = std::min<std::size_t>(n, static_cast<std::size_t>(end_ - p_));
    std::string_view out(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return out;
  }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

// A view over plain maps that reports focus moves back to the session, the
// way the window does.
class FuzzView final : public View {
 public:
  Session* session = nullptr;
  std::map<std::string, std::string, std::less<>> text;
  std::map<std::string, bool, std::less<>> checked;
  std::map<std::string, FrameState, std::less<>> frames;
  std::string focused;

  std::string Text(std::string_view c) const override {
    const auto it = text.find(c);
    return it == text.end() ? std::string{} : it->second;
  }
  void SetText(std::string_view c, std::string_view v) override { text[std::string(c)] = v; }
  bool Checked(std::string_view c) const override {
    const auto it = checked.find(c);
    return it != checked.end() && it->second;
  }
  void SetChecked(std::string_view c, bool on) override { checked[std::string(c)] = on; }
  void Focus(std::string_view c) override {
    if (c == focused) return;
    const std::string old = focused;
    focused = std::string(c);
    if (!session) return;
    if (!old.empty()) session->FieldLeave(old);
    session->FieldEnter(focused);
  }
  std::string Focused() const override { return focused; }
  FrameState Frame(std::string_view shape) const override {
    const auto it = frames.find(shape);
    return it == frames.end() ? FrameState::Plain : it->second;
  }
  void SetFrame(std::string_view shape, FrameState s) override { frames[std::string(shape)] = s; }
  void SetAlert(std::string_view, bool) override {}
  void Flash(std::string_view) override {}
  void SetRowStyle(int, RowStyle) override {}
  void SetVisible(std::string_view, bool) override {}
  void SetTabCurrent(std::string_view, bool) override {}
};

// What the actions can reach: every field and command of the data screens
// and their tabs and list rows. The backup screen is left out: it copies to
// whatever folder the (fuzzed) setting names.
struct Controls {
  std::vector<std::string> fields, boxes, labels;
};

const Controls& AllControls() {
  static const Controls controls = [] {
    RegisterAllScreens();
    Controls c;
    for (const Screen screen : {Screen::Customer, Screen::Slip, Screen::Ledger, Screen::TenkenList,
                                Screen::KeiyakuList}) {
      const ScreenDef* def = FindScreen(screen);
      if (!def) continue;
      for (const InputField& f : def->fields) {
        (f.kind == FieldKind::FlagBox || f.kind == FieldKind::MonthBox ||
                 f.kind == FieldKind::RadioOnly || f.kind == FieldKind::RadioHaisui ||
                 f.kind == FieldKind::Check
             ? c.boxes
             : c.fields)
            .emplace_back(f.control);
      }
      for (const CommandDef& cmd : def->commands) {
        if (!cmd.label.empty()) c.labels.emplace_back(cmd.label);
      }
    }
    for (const char* tab : {"Label_Basic", "Label_Tenken", "Label_Kouji", "Label_TenkenListView",
                            "Label_KoujiListView"}) {
      c.labels.emplace_back(tab);
    }
    char name[40];
    for (int row = 1; row <= 25; ++row) {
      for (const char* pattern : {"Label_Kokyaku_Name_%02d", "Label_Tenken_Year_%02d"}) {
        std::snprintf(name, sizeof name, pattern, row);
        c.labels.emplace_back(name);
      }
    }
    c.boxes.emplace_back("CheckBox_AllDispSW");
    return c;
  }();
  return controls;
}

// Typed text is what the window lets through: CP932, a few bytes of it.
std::string TypedText(Input& in) {
  static const char* const kWide[] = {"\x8f\xf2", "\x89\xbb", "\x91\x85", "\x87\x8a",
                                      "\xfb\xfc", "\x81\x60", "\x82\xa0", "\x83\x41"};
  std::string out;
  const int length = in.Byte() % 24;
  for (int i = 0; i < length; ++i) {
    const std::uint8_t b = in.Byte();
    if (b < 0x5f) {
      out += static_cast<char>(0x20 + b);  // ASCII
    } else if (b < 0x9c) {
      out += static_cast<char>(0xa1 + (b - 0x5f) % 0x3f);  // half-width kana
    } else {
      out += kWide[b % std::size(kWide)];
    }
  }
  return out;
}

constexpr Key kKeys[] = {Key::Enter, Key::Home, Key::F1, Key::F2, Key::F3, Key::F5, Key::F6,
                         Key::F7,    Key::F8,   Key::F9, Key::PageUp, Key::PageDown, Key::Other};

void RunActions(Session& session, FuzzView& view, Store& store, Input& in) {
  const Controls& c = AllControls();
  for (int i = 0; i < kMaxActions && !in.Empty(); ++i) {
    const std::uint8_t what = in.Byte() % 8;
    const std::uint8_t which = in.Byte();
    switch (what) {
      case 0:
      case 1:
        session.LabelPress(c.labels[which % c.labels.size()]);
        session.LabelRelease(c.labels[which % c.labels.size()]);
        session.LabelClick(c.labels[which % c.labels.size()]);
        break;
      case 2:
      case 3: {
        // Typing replaces the edit's text (the framework selects it all).
        const std::string& field = c.fields[which % c.fields.size()];
        view.Focus(field);
        if (view.focused == field) view.text[field] = TypedText(in);
        break;
      }
      case 4:
      case 5:
        if (!view.focused.empty()) session.FieldKeyDown(view.focused, kKeys[which % std::size(kKeys)]);
        break;
      case 6: {
        const std::string& box = c.boxes[which % c.boxes.size()];
        view.Focus(box);
        view.checked[box] = !view.Checked(box);
        session.BoxClicked(box);
        break;
      }
      case 7:
        if (which % 2) {
          (void)session.SaveCompany();
        } else {
          (void)store.KokyakuSortAndIndex();
        }
        break;
    }
  }
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  if (!bytes.empty() && ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    std::abort();
  }
  ::close(fd);
}

// The Data folder of every run, in memory where there is a tmpfs; removed
// when the fuzzer exits.
struct Scratch {
  fs::path path;
  Scratch() {
    const char* shm = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    path = fs::path(shm) / ("tankora-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(path);
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& Folder() {
  static const Scratch scratch;
  return scratch.path;
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "store_fuzz: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& dir = Folder();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) fs::remove_all(entry.path(), ec);

  Input in(data, size);
  for (const char* name : kFiles) {
    const std::size_t length = in.Byte() | (std::size_t{in.Byte()} << 8);
    if (length == 0xffff) continue;
    WriteFile(dir / name, in.Bytes(std::min(length, kMaxFileBytes)));
  }

  {
    Store reader(dir);
    (void)reader.OpenReadOnly();
    (void)reader.PartialTailNotice();
    for (const CsvTable table : {CsvTable::Customers, CsvTable::Slips, CsvTable::Ledger,
                                 CsvTable::Company}) {
      for (const bool all : {false, true}) {
        std::ostringstream out;
        CsvOptions options;
        options.table = table;
        options.includeDeleted = all;
        options.encoding = all ? CsvEncoding::Cp932 : CsvEncoding::Utf8;
        (void)ExportCsv(reader, options, out);
      }
    }
  }

  Store store(dir);
  (void)store.Open();
  (void)store.PartialTailNotice();
  const EraCalendar eras(Date{2012, 10, 29});
  FuzzView view;
  {
    Session session(store, eras, view);
    view.session = &session;
    session.Start();
    RunActions(session, view, store, in);
    view.session = nullptr;
  }

  // Nothing failed underneath (no faults here): the files, opened again, hold
  // what the session's store says they hold.
  Store again(dir);
  (void)again.Open();
  Check(again.KokyakuCount() == store.KokyakuCount(), "customer count differs after reopening");
  Check(again.TenkenCount() == store.TenkenCount(), "slip count differs after reopening");
  Check(again.KoujiCount() == store.KoujiCount(), "ledger count differs after reopening");
  Check(again.ActiveCount() == store.ActiveCount(), "live customers differ after reopening");
  return 0;
}
