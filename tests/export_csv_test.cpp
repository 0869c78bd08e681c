// CSV export: what a spreadsheet gets from each record file.
#include "store/export_csv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "store/record_layout.h"
#include "store/store.h"
#include "store_test_util.h"

namespace tankora {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

using Rows = std::vector<std::vector<std::string>>;

const std::string kBom = "\xEF\xBB\xBF";

// An RFC 4180 reader that insists on CRLF after every row, so a bare LF or a
// missing line end shows up as a failure instead of a silently merged cell.
Rows ParseCsv(std::string_view text) {
  Rows rows;
  std::vector<std::string> row;
  std::string cell;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell.push_back('"');
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell.push_back(c);
      }
    } else if (c == '"') {
      EXPECT_TRUE(cell.empty()) << "quote inside an unquoted cell at byte " << i;
      quoted = true;
    } else if (c == ',') {
      row.push_back(std::move(cell));
      cell.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      row.push_back(std::move(cell));
      cell.clear();
      rows.push_back(std::move(row));
      row.clear();
      ++i;
    } else {
      EXPECT_TRUE(c != '\r' && c != '\n') << "bare line break at byte " << i;
      cell.push_back(c);
    }
  }
  EXPECT_FALSE(quoted) << "unterminated quote";
  EXPECT_TRUE(row.empty() && cell.empty()) << "last row has no CRLF";
  return rows;
}

void WriteFile(const fs::path& path, const std::vector<Record>& records,
               std::string_view tail = {}) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (Record r : records) out << r.Pack();
  out << tail;
}

std::string Export(const fs::path& dataDir, CsvTable table,
                   CsvEncoding encoding = CsvEncoding::Utf8, bool all = false) {
  std::ostringstream out;
  CsvOptions options;
  options.table = table;
  options.encoding = encoding;
  options.includeDeleted = all;
  Status s = ExportCsv(dataDir, options, out);
  EXPECT_TRUE(s.ok()) << s.detail;
  return out.str();
}

Rows ExportRows(const fs::path& dataDir, CsvTable table, bool all = false) {
  const std::string text = Export(dataDir, table, CsvEncoding::Utf8, all);
  EXPECT_EQ(text.substr(0, 3), kBom);
  return ParseCsv(std::string_view(text).substr(3));
}

// The cells of one row by column name.
std::map<std::string, std::string> ByName(const Rows& rows, std::size_t row) {
  std::map<std::string, std::string> cells;
  EXPECT_LT(row, rows.size());
  if (row >= rows.size()) return cells;
  EXPECT_EQ(rows[row].size(), rows[0].size()) << "row " << row << " has a different width";
  for (std::size_t i = 0; i < rows[0].size() && i < rows[row].size(); ++i) {
    cells[rows[0][i]] = rows[row][i];
  }
  return cells;
}

// Checks the named cells of one row; names not listed are not looked at.
void ExpectCells(const Rows& rows, std::size_t row,
                 const std::map<std::string, std::string>& expected) {
  auto cells = ByName(rows, row);
  for (const auto& [name, value] : expected) {
    EXPECT_TRUE(cells.count(name)) << "no column " << name;
    EXPECT_EQ(cells[name], value) << "row " << row << ", " << name;
  }
}

std::vector<std::string> Column(const Rows& rows, std::size_t column) {
  std::vector<std::string> values;
  for (std::size_t r = 1; r < rows.size(); ++r) values.push_back(rows[r].at(column));
  return values;
}

std::map<std::string, std::string> FolderBytes(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

TEST(CsvCell, QuotesOnlyWhatNeedsIt) {
  struct Case {
    std::string value;
    std::string cell;
  };
  const Case cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\rhere", "\"cr\rhere\""},
      {"   1  1", "\"   1  1\""},
      {"end ", "\"end \""},
      {"in side", "in side"},
      {std::string("nul\0in", 6), "nul in"},
      // 0x5C and 0x7C as trail bytes (表, ソ) and a 0x5C backslash of its own:
      // none of them is a reason to quote.
      {"\x95\x5C\x83\x5C\\", "\x95\x5C\x83\x5C\\"},
  };
  for (const Case& c : cases) {
    std::string line;
    AppendCsvCell(line, c.value);
    EXPECT_EQ(line, c.cell) << "value: " << c.value;
  }
}

TEST(CsvCell, TrimsByAlignment) {
  EXPECT_EQ(CellValue(" 5", Align::Right), "5");
  EXPECT_EQ(CellValue("2012", Align::Right), "2012");
  EXPECT_EQ(CellValue("    ", Align::Right), "");
  EXPECT_EQ(CellValue("  abc  ", Align::Left), "  abc");
  EXPECT_EQ(CellValue(std::string_view("abc\0\0 ", 6), Align::Left), "abc");
  // Month flags: the position is the month, so only the tail goes.
  EXPECT_EQ(CellValue("   1     1  ", Align::Flag), "   1     1");
  // A full-width blank (81 40) is text, not padding.
  EXPECT_EQ(CellValue("\x81\x40 ", Align::Left), "\x81\x40");
}

TEST(CsvHeader, NamesEveryFieldButTheReservedOnes) {
  TempDir dir;
  const Rows customers = ExportRows(dir.path(), CsvTable::Customers);
  ASSERT_EQ(customers.size(), 1u);  // no file: the header alone
  ASSERT_EQ(customers[0].size(), 1u + Kokyaku::FieldCount - 2);
  EXPECT_EQ(customers[0][0], "RecordNo");
  EXPECT_EQ(customers[0][1], "DeleteFlag");
  EXPECT_EQ(customers[0][3], "Name");
  EXPECT_EQ(customers[0].back(), "Ninsou");
  for (const std::string& name : customers[0]) EXPECT_EQ(name.find("Reserve"), std::string::npos);

  const Rows slips = ExportRows(dir.path(), CsvTable::Slips);
  EXPECT_EQ(slips[0], (std::vector<std::string>{"RecordNo", "DeleteFlag", "KokyakuName", "Year",
                                                "Month", "Day", "Gaikan", "Syuuki", "Ph", "Tousido",
                                                "Asyousan", "Zanen", "Ion", "Kanrisya", "Bikou"}));
  const Rows company = ExportRows(dir.path(), CsvTable::Company);
  EXPECT_EQ(company[0],
            (std::vector<std::string>{"RecordNo", "Tel", "Address", "KaisyaName", "Name",
                                      "Teisyutusaki", "TopMargine", "LeftMargine"}));
  const Rows ledger = ExportRows(dir.path(), CsvTable::Ledger);
  EXPECT_EQ(ledger[0].size(), 1u + Kouji::FieldCount - 1);
  EXPECT_EQ(ledger[0][7], "SekouPlace");
  // Reading an absent file created nothing.
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

class ExportFile : public ::testing::Test {
 protected:
  void SetUp() override { data_ = dir_.path(); }
  TempDir dir_;
  fs::path data_;
};

TEST_F(ExportFile, CustomerCellsAreTheStoredFieldsTrimmed) {
  Record r(KokyakuLayout());
  r.Set(Kokyaku::Kana, "\xB1\xCD\xDE");                      // ｱﾍﾞ
  r.Set(Kokyaku::Name, "\x88\xA2\x95\x94\x8C\x92\x88\xEA");  // 阿部健一
  r.SetFlagAt(Kokyaku::TenkenMonths, 3, true);
  r.SetFlagAt(Kokyaku::TenkenMonths, 9, true);
  r.Set(Kokyaku::Syukinngaku04, "6000");
  r.Set(Kokyaku::StartYear, "2012");
  r.Set(Kokyaku::StartMonth, "5");
  r.Set(Kokyaku::Address, "Maebashi, 1-2 \"A\" bldg");
  r.Set(Kokyaku::Youto1, "  indented");
  WriteFile(data_ / "Kokyaku.120", {r});

  const Rows rows = ExportRows(data_, CsvTable::Customers);
  ASSERT_EQ(rows.size(), 2u);
  ExpectCells(rows, 1,
              {{"RecordNo", "1"},
               {"DeleteFlag", ""},
               {"Kana", "ｱﾍﾞ"},
               {"Name", "阿部健一"},
               {"TenkenMonths", "   1     1"},
               {"SyuukinMonths", ""},
               {"Syukinngaku04", "6000"},
               {"Syukinngaku05", ""},
               {"StartYear", "2012"},
               {"StartMonth", "5"},
               {"Address", "Maebashi, 1-2 \"A\" bldg"},
               {"Youto1", "  indented"}});
}

TEST_F(ExportFile, Cp932WritesTheRecordBytesWithoutBom) {
  Record r(TenkenDenpLayout());
  // 髙 in its NEC-selected IBM code EE E0 and an invalid pair 81 20: both
  // must leave exactly as stored.
  const std::string name = "\xEE\xE0\x96\x6B";
  const std::string bad =
      "x\x81\x7F"
      "y";
  r.Set(TenkenDenp::KokyakuName, name);
  r.Set(TenkenDenp::Bikou, bad);
  r.Set(TenkenDenp::Kanrisya, "\x91\xBE\x93\x63\x5C\x91\xBE\x98\x59");  // 太田\太郎
  WriteFile(data_ / "TenkenDenp.120", {r});

  const std::string cp932 = Export(data_, CsvTable::Slips, CsvEncoding::Cp932);
  ASSERT_EQ(cp932.rfind("RecordNo,", 0), 0u);
  const Rows rows = ParseCsv(cp932);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][2], name);
  EXPECT_EQ(rows[1][13], "\x91\xBE\x93\x63\x5C\x91\xBE\x98\x59");
  EXPECT_EQ(rows[1][14], bad);

  const Rows utf8 = ExportRows(data_, CsvTable::Slips);
  EXPECT_EQ(utf8[1][2], "髙北");
  EXPECT_EQ(utf8[1][13], "太田\\太郎");
  EXPECT_NE(utf8[1][14].find("\xEF\xBF\xBD"), std::string::npos) << utf8[1][14];
  EXPECT_EQ(utf8[1][14].front(), 'x');
  EXPECT_EQ(utf8[1][14].back(), 'y');
}

TEST_F(ExportFile, DeletedRecordsOnlyWithAll) {
  std::vector<Record> slips;
  for (int i = 1; i <= 4; ++i) {
    Record r(TenkenDenpLayout());
    r.Set(TenkenDenp::Year, std::to_string(2010 + i));
    if (i == 2) r.Set(TenkenDenp::DeleteFlag, "1");
    if (i == 3) r.Set(TenkenDenp::DeleteFlag, "X");  // not "1": live
    slips.push_back(r);
  }
  // A torn append at the end is not a record.
  WriteFile(data_ / "TenkenDenp.120", slips, std::string(77, 'z'));

  const Rows live = ExportRows(data_, CsvTable::Slips);
  EXPECT_EQ(Column(live, 0), (std::vector<std::string>{"1", "3", "4"}));
  EXPECT_EQ(Column(live, 1), (std::vector<std::string>{"", "X", ""}));
  EXPECT_EQ(Column(live, 3), (std::vector<std::string>{"2011", "2013", "2014"}));

  const Rows all = ExportRows(data_, CsvTable::Slips, true);
  EXPECT_EQ(Column(all, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(Column(all, 1), (std::vector<std::string>{"", "1", "X", ""}));

  EXPECT_EQ(fs::file_size(data_ / "TenkenDenp.120"), 4u * 200 + 77);
}

TEST_F(ExportFile, CompanyIsRecordOneOnly) {
  Record first(JisyaLayout());
  first.Set(Jisya::KaisyaName, "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0");  // 株式会社
  first.Set(Jisya::TopMargine, "5");
  first.Set(Jisya::Reserve00, "leftover");
  Record second(JisyaLayout());
  second.Set(Jisya::KaisyaName, "stray");
  WriteFile(data_ / "Jisya.120", {first, second});

  const Rows rows = ExportRows(data_, CsvTable::Company, true);
  ASSERT_EQ(rows.size(), 2u);
  ExpectCells(
      rows, 1,
      {{"RecordNo", "1"}, {"KaisyaName", "株式会社"}, {"TopMargine", "5"}, {"LeftMargine", ""}});
}

TEST_F(ExportFile, ManyRowsSurviveTheBufferFlushes) {
  std::vector<Record> slips;
  for (int i = 0; i < 3000; ++i) {
    Record r(TenkenDenpLayout());
    r.Set(TenkenDenp::KokyakuName, "\x89\x69\x88\xE4");  // 永井
    r.Set(TenkenDenp::Bikou, "n=" + std::to_string(i) + ", ok");
    slips.push_back(r);
  }
  WriteFile(data_ / "TenkenDenp.120", slips);
  const Rows rows = ExportRows(data_, CsvTable::Slips);
  ASSERT_EQ(rows.size(), 3001u);
  EXPECT_EQ(rows[3000][0], "3000");
  EXPECT_EQ(rows[3000][14], "n=2999, ok");
  EXPECT_EQ(rows[1234][2], "永井");
}

TEST(ExportErrors, UnreadableFileIsAnErrorNotAnEmptyTable) {
  TempDir dir;
  fs::create_directory(dir.path() / "Kokyaku.120");  // a folder where a file should be
  std::ostringstream out;
  CsvOptions options;
  EXPECT_FALSE(ExportCsv(dir.path(), options, out).ok());
  EXPECT_TRUE(out.str().empty());

  // A stream that refuses the bytes is reported.
  fs::remove(dir.path() / "Kokyaku.120");
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  EXPECT_FALSE(ExportCsv(dir.path(), options, broken).ok());
}

class ForeignOffice : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = dir_.path() / "Data";
    fs::copy(fs::path(TANKORA_FOREIGN_DATA) / "Data", data_);
    before_ = FolderBytes(data_);
  }
  void TearDown() override {
    // Exporting never writes, creates or locks anything in the folder.
    EXPECT_EQ(FolderBytes(data_), before_);
  }
  TempDir dir_;
  fs::path data_;
  std::map<std::string, std::string> before_;
};

TEST_F(ForeignOffice, CustomersInListOrderWithTheirNames) {
  const Rows rows = ExportRows(data_, CsvTable::Customers);
  EXPECT_EQ(Column(rows, 0),
            (std::vector<std::string>{"1", "2", "3", "5", "6", "7", "8", "9", "11", "12"}));
  EXPECT_EQ(Column(rows, 3),
            (std::vector<std::string>{"上野ハナ", "阿部健一", "名無しの権兵衛", "阿部美和",
                                      "㈱岳商事", "髙北工務店", "永井～商店", "パーク№5管理組合",
                                      "太田\\太郎", "遠藤"}));
  ExpectCells(rows, 6, {{"DeleteFlag", "X"}});
  ExpectCells(rows, 3, {{"Kana", ""}});     // four blanks
  ExpectCells(rows, 2, {{"Kana", "ｱﾍﾞ"}});  // b1 cd de 20

  // The same order the store's customer index gives.
  {
    TempDir other;
    fs::copy(data_, other.path() / "Data");
    Store store(other.path() / "Data");
    ASSERT_TRUE(store.Open().ok());
    std::vector<std::string> indexed;
    for (int n : store.ActiveIndex()) indexed.push_back(std::to_string(n));
    EXPECT_EQ(Column(rows, 0), indexed);
  }

  const Rows all = ExportRows(data_, CsvTable::Customers, true);
  ASSERT_EQ(all.size(), 13u);
  ExpectCells(all, 4, {{"DeleteFlag", "1"}, {"Name", "和田①号"}});
  ExpectCells(all, 10, {{"DeleteFlag", "1"}});
}

TEST_F(ForeignOffice, EveryTableExports) {
  const Rows slips = ExportRows(data_, CsvTable::Slips);
  EXPECT_EQ(slips.size(), 1u + 23);  // 25 slips, two of them deleted
  EXPECT_EQ(ExportRows(data_, CsvTable::Slips, true).size(), 1u + 25);
  ExpectCells(
      slips, 1,
      {{"Bikou", "ブロワ点検、スカム0cm。消毒剤補充。"}, {"Gaikan", "やや濁り"}, {"Month", "1"}});

  EXPECT_EQ(ExportRows(data_, CsvTable::Ledger, true).size(), 1u + 3);
  const Rows company = ExportRows(data_, CsvTable::Company);
  ASSERT_EQ(company.size(), 2u);
  ExpectCells(company, 1, {{"Tel", "027-000-0000"}});

  // The CP932 export carries the names' original bytes (髙 as EE E0).
  const Rows raw = ParseCsv(Export(data_, CsvTable::Customers, CsvEncoding::Cp932));
  EXPECT_EQ(raw[6][3], "\xEE\xE0\x96\x6B\x8D\x48\x96\xB1\x93\x58");
  EXPECT_EQ(raw[9][3], "\x91\xBE\x93\x63\x5C\x91\xBE\x98\x59");
}

}  // namespace
}  // namespace tankora
