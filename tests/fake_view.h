// A View over plain maps, whose Focus() reports the move to the session the
// way Qt does (leave of the old control, then arrival of the new one), plus a
// scratch Data folder for sessions on real files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/session.h"
#include "shell/session_state.h"
#include "store/store.h"
#include "util/cp932.h"
#include "util/era.h"
#include "util/fixed_text.h"

namespace tankora::testing {

// CP932 bytes of a UTF-8 literal.
inline std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8).value(); }

class FakeView final : public View {
 public:
  Session* session = nullptr;
  std::map<std::string, std::string, std::less<>> text;
  std::map<std::string, bool, std::less<>> checked;
  std::map<std::string, bool, std::less<>> visible;
  std::map<std::string, FrameState, std::less<>> frames;
  std::map<std::string, bool, std::less<>> alerts;
  std::map<std::string, bool, std::less<>> tabs;
  std::map<std::string, int, std::less<>> setTextCount;
  std::array<RowStyle, 25> rowStyle{};
  std::string focused;
  std::string openedDocument;
  DocumentOpen documentOpen = DocumentOpen::Opened;  // what OpenDocument answers

  std::string Text(std::string_view c) const override {
    const auto it = text.find(c);
    return it == text.end() ? std::string{} : it->second;
  }
  void SetText(std::string_view c, std::string_view v) override {
    text[std::string(c)] = std::string(v);
    ++setTextCount[std::string(c)];
  }
  // Captions set in UTF-8, as the program made them.
  std::map<std::string, std::string, std::less<>> captions;
  void SetCaptionUtf8(std::string_view c, std::string_view utf8) override {
    captions[std::string(c)] = std::string(utf8);
    View::SetCaptionUtf8(c, utf8);
  }
  bool Checked(std::string_view c) const override {
    const auto it = checked.find(c);
    return it != checked.end() && it->second;
  }
  void SetChecked(std::string_view c, bool on) override { checked[std::string(c)] = on; }
  void Focus(std::string_view c) override {
    if (c == focused) return;  // Qt sends nothing for the widget that has the focus
    const std::string old = focused;
    focused = std::string(c);
    if (!session) return;
    if (!old.empty()) session->FieldLeave(old);
    session->FieldEnter(c);
  }
  std::string Focused() const override { return focused; }
  FrameState Frame(std::string_view shape) const override {
    const auto it = frames.find(shape);
    return it == frames.end() ? FrameState::Plain : it->second;
  }
  void SetFrame(std::string_view shape, FrameState s) override { frames[std::string(shape)] = s; }
  void SetAlert(std::string_view c, bool on) override { alerts[std::string(c)] = on; }
  bool Alerted(std::string_view c) const {
    const auto it = alerts.find(c);
    return it != alerts.end() && it->second;
  }
  void Flash(std::string_view) override {}
  void SetRowStyle(int row, RowStyle style) override {
    if (row >= 0 && row < 25) rowStyle[static_cast<std::size_t>(row)] = style;
  }
  void SetVisible(std::string_view c, bool v) override { visible[std::string(c)] = v; }
  void SetTabCurrent(std::string_view tab, bool current) override {
    tabs[std::string(tab)] = current;
  }
  DocumentOpen OpenDocument(std::string_view path, std::string* where) override {
    openedDocument = std::string(path);
    *where = "/opt/tankora/" + openedDocument;
    return documentOpen;
  }

  // --- the user ---
  // Typing replaces the field's text (focus from the framework selects all).
  void Type(std::string_view c, std::string_view cp932) {
    Focus(c);
    text[std::string(c)] = std::string(cp932);
  }
  void TypeUtf8(std::string_view c, std::string_view utf8) { Type(c, Sj(utf8)); }
  bool Press(Key key) { return session->FieldKeyDown(focused, key); }
  // A mouse click on a check box or radio button: focus, toggle, click event.
  void ClickBox(std::string_view c, bool radio = false) {
    Focus(c);
    checked[std::string(c)] = radio ? true : !Checked(c);
    session->BoxClicked(c);
  }
  void ClickLabel(std::string_view label) {
    session->LabelPress(label);
    session->LabelRelease(label);
    session->LabelClick(label);
  }
  std::string Trimmed(std::string_view c) const { return TrimBlanks(Text(c)); }
};

// A Data folder of its own under the system's temporary folder.
class TempDataDir {
 public:
  TempDataDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tankora-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDataDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDataDir(const TempDataDir&) = delete;
  TempDataDir& operator=(const TempDataDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A customer record image for seeding files: kana and name (CP932 or ASCII).
inline std::string CustomerImage(std::string_view kana, std::string_view name,
                                 bool deleted = false) {
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Kana, kana);
  r.Set(Kokyaku::Name, name);
  if (deleted) r.SetFlagAt(Kokyaku::DeleteFlag, 0, true);
  return std::string(r.Pack());
}

// Customers "C0001".."Cnnnn" with readings "0001".. (already in reading order).
inline void SeedCustomers(const std::filesystem::path& dataDir, int count) {
  std::ofstream out(dataDir / "Kokyaku.120", std::ios::binary | std::ios::trunc);
  char kana[12], name[16];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(kana, sizeof kana, "%04d", i);
    std::snprintf(name, sizeof name, "C%04d", i);
    out << CustomerImage(kana, name);
  }
}

// Fills Data files before the session starts.
using Seeder = std::function<void(const std::filesystem::path&)>;

// A seeder writing `images` as the whole of one Data file.
inline Seeder SeedFile(std::string file, std::vector<std::string> images) {
  return [file = std::move(file), images = std::move(images)](const std::filesystem::path& dir) {
    std::ofstream out(dir / file, std::ios::binary | std::ios::trunc);
    for (const std::string& image : images) out << image;
  };
}

// The packed bytes of a record.
inline std::string Image(Record r) { return std::string(r.Pack()); }

// Overwrites one byte of a Data file (a foreign program's flag, say).
inline void PokeByte(const std::filesystem::path& file, std::streamoff at, char byte) {
  std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(at);
  f.put(byte);
}

// A started session on a Data folder, on a fixed date.
struct Harness {
  explicit Harness(int customers = 0, Date today = Date{2012, 10, 29}, Seeder seed = {})
      : eras(today) {
    if (customers > 0) SeedCustomers(dir.path(), customers);
    if (seed) seed(dir.path());
    store = std::make_unique<Store>(dir.path());
    EXPECT_TRUE(store->Open().ok());
    session = std::make_unique<Session>(*store, eras, view);
    view.session = session.get();
    session->Start();
  }
  Harness(int customers, Seeder seed) : Harness(customers, Date{2012, 10, 29}, std::move(seed)) {}
  Session::State& s() { return session->state(); }
  // The record as stored in the file now.
  Record Stored(int n) {
    Record r(KokyakuLayout());
    EXPECT_TRUE(store->KokyakuFile().ReadRecord(n, r).ok());
    return r;
  }
  std::string RowName(int row1) const {
    char c[32];
    std::snprintf(c, sizeof c, "Label_Kokyaku_Name_%02d", row1);
    return view.Trimmed(c);
  }
  std::string RowKana(int row1) const {
    char c[32];
    std::snprintf(c, sizeof c, "Label_Kokyaku_Kana_%02d", row1);
    return view.Trimmed(c);
  }
  void ClickRow(int row1, bool nameLabel = true) {
    char c[32];
    std::snprintf(c, sizeof c, nameLabel ? "Label_Kokyaku_Name_%02d" : "Label_Kokyaku_Kana_%02d",
                  row1);
    view.ClickLabel(c);
  }
  int SelectedRow() const {  // 1-based, 0 when no row frame is red
    int found = 0;
    for (int r = 1; r <= 25; ++r) {
      char c[32];
      std::snprintf(c, sizeof c, "Shape_Kokyaku_%02d", r);
      if (view.Frame(c) == FrameState::Selected) {
        EXPECT_EQ(found, 0) << "two rows framed";
        found = r;
      }
    }
    return found;
  }

  TempDataDir dir;
  EraCalendar eras;
  FakeView view;
  std::unique_ptr<Store> store;
  std::unique_ptr<Session> session;
};

}  // namespace tankora::testing
