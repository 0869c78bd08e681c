// Fixed-length record layouts of the four data files, byte for byte.
//
// A record is held as its on-disk image (CP932 bytes). Field access goes
// through the layout's offset table, so a field nobody touched is written
// back with exactly the bytes it was read with, foreign or not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tankora {

enum class Align : std::uint8_t { Left, Right, Flag };

struct FieldDef {
  const char* name;
  std::uint16_t width;
  Align align;
};

class RecordLayout final {
 public:
  RecordLayout(const char* name, std::size_t recordLength, std::span<const FieldDef> fields);

  const char* Name() const { return name_; }
  std::size_t RecordLength() const { return recordLength_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  const FieldDef& Field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
  std::size_t Offset(int i) const { return offsets_[static_cast<std::size_t>(i)]; }
  std::size_t Width(int i) const { return fields_[static_cast<std::size_t>(i)].width; }
  // Index of the field of that name, or -1.
  int IndexOf(std::string_view fieldName) const;

 private:
  const char* name_;
  std::size_t recordLength_;
  std::span<const FieldDef> fields_;
  std::vector<std::size_t> offsets_;
};

// One record of any of the four types: the record buffer and, through the
// layout, its field strings.
class Record final {
 public:
  explicit Record(const RecordLayout& layout);

  const RecordLayout& Layout() const { return *layout_; }

  // Blanks everywhere, line feed in the last byte: a live, empty record.
  void Clear();
  // Takes a whole on-disk image (exactly RecordLength bytes).
  void Unpack(std::string_view image);
  // The image as it goes to disk: bytes after the last field blank, last byte LF.
  std::string_view Pack();
  std::string_view Bytes() const { return bytes_; }

  // Exactly Width(i) bytes.
  std::string_view Get(int field) const;
  // The field without its blank padding (see TrimBlanks).
  std::string Trimmed(int field) const;
  // Stores a value already fitted to the width; a shorter value is padded
  // by the field's alignment, a longer one cut at a character boundary.
  void Set(int field, std::string_view value);
  // Byte m-1 of a twelve-month flag field, or a one-byte flag: "1" is on
  // (SetFlagAt writes "1" or a blank).
  bool FlagAt(int field, int pos = 0) const;
  void SetFlagAt(int field, int pos, bool on);
  // Month `month` (1..12) of a twelve-month plan (TenkenMonths, SyuukinMonths)
  // by MonthMarked.
  bool MonthPlanned(int field, int month) const;

  bool Deleted() const { return !bytes_.empty() && bytes_[0] == '1'; }

  bool operator==(const Record& other) const { return bytes_ == other.bytes_; }

 private:
  const RecordLayout* layout_;
  std::string bytes_;
};

// A month of a twelve-month plan is planned when its byte is anything but a
// blank: files written elsewhere mark months with other bytes than "1" ("X",
// "*"), and the boxes, the counters and every list must read a month alike.
// This program writes "1" (SetFlagAt).
constexpr bool MonthMarked(char byte) { return byte != ' '; }

// Field numbers, in record order, as laid out on disk.
namespace Kokyaku {
enum Field : int {
  DeleteFlag, Kana, Name, Tandoku, Gappei, TenkenMonths, SyuukinMonths,
  Syukinngaku01, Syukinngaku02, Syukinngaku03, Syukinngaku04, Syukinngaku05, Syukinngaku06,
  Syukinngaku07, Syukinngaku08, Syukinngaku09, Syukinngaku10, Syukinngaku11, Syukinngaku12,
  Zip1, Zip2, Address, Tel, SettiAddress, Reserve1,
  StartYear, StartMonth, StartDay, EndYear, EndMonth, EndDay,
  UseStartYear, UseStartMonth, UseStartDay, UkeoiKingaku, Setubisi, KoufuNo,
  KindMeisyou, KindNinteiNo, KindKatasiki, KindSyorihouhou, Sinyou,
  Youto1, Youto2, Youto3, KanriGyousya, SeisouGyousya,
  KeiyakuYear, KeiyakuMonth, KeiyakuDay,
  KeiyakuStartYear, KeiyakuStartMonth, KeiyakuStartDay,
  KeiyakuEndYear, KeiyakuEndMonth, KeiyakuEndDay,
  Ninsou, Reserve2,
  FieldCount
};
}  // namespace Kokyaku

namespace TenkenDenp {
enum Field : int {
  DeleteFlag, KokyakuName, Year, Month, Day, Gaikan, Syuuki, Ph, Tousido,
  Asyousan, Zanen, Ion, Kanrisya, Bikou, Reserve,
  FieldCount
};
}  // namespace TenkenDenp

namespace Kouji {
enum Field : int {
  DeleteFlag, Name, Zip1, Zip2, Address, Tel, SekouPlace,
  StartYear, StartMonth, StartDay, EndYear, EndMonth, EndDay,
  UseStartYear, UseStartMonth, UseStartDay, Money, Setubisi, KoufuNo,
  KindMeisyou, KindNinteiNo, KindKatasiki, KindSyorihouhou, Sinyou,
  Youto1, Youto2, Youto3, KanriGyousya, SeisouGyousya,
  KeiyakuYear, KeiyakuMonth, KeiyakuDay,
  KeiyakuStartYear, KeiyakuStartMonth, KeiyakuStartDay,
  KeiyakuEndYear, KeiyakuEndMonth, KeiyakuEndDay,
  Ninsou, Reserve,
  FieldCount
};
// Ledger field i (1..38) carries the same value as this customer field.
int TwinOf(int koujiField);
}  // namespace Kouji

namespace Jisya {
enum Field : int {
  Reserve00, Reserve01, Reserve02, Reserve03, Reserve04, Reserve05, Reserve06, Reserve07,
  Tel,
  Reserve09, Reserve10, Reserve11, Reserve12, Reserve13, Reserve14, Reserve15, Reserve16,
  Reserve17, Reserve18, Reserve19, Reserve20, Reserve21, Reserve22, Reserve23, Reserve24,
  Reserve25, Reserve26,
  Address, KaisyaName, Name, Teisyutusaki, Reserve31, Reserve32,
  TopMargine, LeftMargine, Reserve35, Reserve36, Reserve37,
  FieldCount
};
}  // namespace Jisya

const RecordLayout& KokyakuLayout();
const RecordLayout& TenkenDenpLayout();
const RecordLayout& KoujiLayout();
const RecordLayout& JisyaLayout();

inline constexpr std::size_t kKokyakuRecordLength = 1000;
inline constexpr std::size_t kTenkenDenpRecordLength = 200;
inline constexpr std::size_t kKoujiRecordLength = 1000;
inline constexpr std::size_t kJisyaRecordLength = 1000;

}  // namespace tankora
