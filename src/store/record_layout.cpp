#include "store/record_layout.h"

#include <algorithm>
#include <cassert>

#include "util/fixed_text.h"

namespace tankora {

namespace {

constexpr Align L = Align::Left;
constexpr Align R = Align::Right;
constexpr Align F = Align::Flag;

constexpr FieldDef kKokyakuFields[] = {
    {"DeleteFlag", 1, F}, {"Kana", 4, L}, {"Name", 20, L}, {"Tandoku", 1, F}, {"Gappei", 1, F},
    {"TenkenMonths", 12, F}, {"SyuukinMonths", 12, F},
    {"Syukinngaku01", 8, R}, {"Syukinngaku02", 8, R}, {"Syukinngaku03", 8, R},
    {"Syukinngaku04", 8, R}, {"Syukinngaku05", 8, R}, {"Syukinngaku06", 8, R},
    {"Syukinngaku07", 8, R}, {"Syukinngaku08", 8, R}, {"Syukinngaku09", 8, R},
    {"Syukinngaku10", 8, R}, {"Syukinngaku11", 8, R}, {"Syukinngaku12", 8, R},
    {"Zip1", 3, L}, {"Zip2", 4, L}, {"Address", 40, L}, {"Tel", 14, L},
    {"SettiAddress", 40, L}, {"Reserve1", 40, L},
    {"StartYear", 4, R}, {"StartMonth", 2, R}, {"StartDay", 2, R},
    {"EndYear", 4, R}, {"EndMonth", 2, R}, {"EndDay", 2, R},
    {"UseStartYear", 4, R}, {"UseStartMonth", 2, R}, {"UseStartDay", 2, R},
    {"UkeoiKingaku", 10, R}, {"Setubisi", 20, L}, {"KoufuNo", 20, L},
    {"KindMeisyou", 20, L}, {"KindNinteiNo", 20, L}, {"KindKatasiki", 20, L},
    {"KindSyorihouhou", 20, L}, {"Sinyou", 1, F},
    {"Youto1", 64, L}, {"Youto2", 64, L}, {"Youto3", 64, L},
    {"KanriGyousya", 20, L}, {"SeisouGyousya", 20, L},
    {"KeiyakuYear", 4, R}, {"KeiyakuMonth", 2, R}, {"KeiyakuDay", 2, R},
    {"KeiyakuStartYear", 4, R}, {"KeiyakuStartMonth", 2, R}, {"KeiyakuStartDay", 2, R},
    {"KeiyakuEndYear", 4, R}, {"KeiyakuEndMonth", 2, R}, {"KeiyakuEndDay", 2, R},
    {"Ninsou", 3, R}, {"Reserve2", 296, L},
};
static_assert(std::size(kKokyakuFields) == Kokyaku::FieldCount);

constexpr FieldDef kTenkenDenpFields[] = {
    {"DeleteFlag", 1, F}, {"KokyakuName", 20, L}, {"Year", 4, R}, {"Month", 2, R},
    {"Day", 2, R}, {"Gaikan", 12, L}, {"Syuuki", 2, R}, {"Ph", 3, R}, {"Tousido", 2, R},
    {"Asyousan", 2, R}, {"Zanen", 3, R}, {"Ion", 3, R}, {"Kanrisya", 16, L},
    {"Bikou", 64, L}, {"Reserve", 62, L},
};
static_assert(std::size(kTenkenDenpFields) == TenkenDenp::FieldCount);

constexpr FieldDef kKoujiFields[] = {
    {"DeleteFlag", 1, F}, {"Name", 20, L}, {"Zip1", 3, L}, {"Zip2", 4, L},
    {"Address", 40, L}, {"Tel", 14, L}, {"SekouPlace", 40, L},
    {"StartYear", 4, R}, {"StartMonth", 2, R}, {"StartDay", 2, R},
    {"EndYear", 4, R}, {"EndMonth", 2, R}, {"EndDay", 2, R},
    {"UseStartYear", 4, R}, {"UseStartMonth", 2, R}, {"UseStartDay", 2, R},
    {"Money", 10, R}, {"Setubisi", 20, L}, {"KoufuNo", 20, L},
    {"KindMeisyou", 20, L}, {"KindNinteiNo", 20, L}, {"KindKatasiki", 20, L},
    {"KindSyorihouhou", 20, L}, {"Sinyou", 1, F},
    {"Youto1", 64, L}, {"Youto2", 64, L}, {"Youto3", 64, L},
    {"KanriGyousya", 20, L}, {"SeisouGyousya", 20, L},
    {"KeiyakuYear", 4, R}, {"KeiyakuMonth", 2, R}, {"KeiyakuDay", 2, R},
    {"KeiyakuStartYear", 4, R}, {"KeiyakuStartMonth", 2, R}, {"KeiyakuStartDay", 2, R},
    {"KeiyakuEndYear", 4, R}, {"KeiyakuEndMonth", 2, R}, {"KeiyakuEndDay", 2, R},
    {"Ninsou", 3, R}, {"Reserve", 462, L},
};
static_assert(std::size(kKoujiFields) == Kouji::FieldCount);

constexpr FieldDef kJisyaFields[] = {
    {"Reserve00", 40, L}, {"Reserve01", 40, L}, {"Reserve02", 8, L}, {"Reserve03", 8, L},
    {"Reserve04", 20, L}, {"Reserve05", 40, L}, {"Reserve06", 20, L}, {"Reserve07", 10, L},
    {"Tel", 14, L},
    {"Reserve09", 14, L}, {"Reserve10", 14, L}, {"Reserve11", 1, L}, {"Reserve12", 2, L},
    {"Reserve13", 10, L}, {"Reserve14", 40, L}, {"Reserve15", 30, L}, {"Reserve16", 40, L},
    {"Reserve17", 30, L}, {"Reserve18", 40, L}, {"Reserve19", 30, L}, {"Reserve20", 40, L},
    {"Reserve21", 30, L}, {"Reserve22", 40, L}, {"Reserve23", 30, L}, {"Reserve24", 1, L},
    {"Reserve25", 1, L}, {"Reserve26", 2, L},
    {"Address", 40, L}, {"KaisyaName", 30, L}, {"Name", 30, L}, {"Teisyutusaki", 30, L},
    {"Reserve31", 1, L}, {"Reserve32", 1, L},
    {"TopMargine", 2, R}, {"LeftMargine", 2, R},
    {"Reserve35", 8, L}, {"Reserve36", 8, L}, {"Reserve37", 251, L},
};
static_assert(std::size(kJisyaFields) == Jisya::FieldCount);

// Customer field carried by ledger fields 1..38, in ledger order.
constexpr int kKoujiTwins[] = {
    Kokyaku::Name, Kokyaku::Zip1, Kokyaku::Zip2, Kokyaku::Address, Kokyaku::Tel,
    Kokyaku::SettiAddress,
    Kokyaku::StartYear, Kokyaku::StartMonth, Kokyaku::StartDay,
    Kokyaku::EndYear, Kokyaku::EndMonth, Kokyaku::EndDay,
    Kokyaku::UseStartYear, Kokyaku::UseStartMonth, Kokyaku::UseStartDay,
    Kokyaku::UkeoiKingaku, Kokyaku::Setubisi, Kokyaku::KoufuNo,
    Kokyaku::KindMeisyou, Kokyaku::KindNinteiNo, Kokyaku::KindKatasiki,
    Kokyaku::KindSyorihouhou, Kokyaku::Sinyou,
    Kokyaku::Youto1, Kokyaku::Youto2, Kokyaku::Youto3,
    Kokyaku::KanriGyousya, Kokyaku::SeisouGyousya,
    Kokyaku::KeiyakuYear, Kokyaku::KeiyakuMonth, Kokyaku::KeiyakuDay,
    Kokyaku::KeiyakuStartYear, Kokyaku::KeiyakuStartMonth, Kokyaku::KeiyakuStartDay,
    Kokyaku::KeiyakuEndYear, Kokyaku::KeiyakuEndMonth, Kokyaku::KeiyakuEndDay,
    Kokyaku::Ninsou,
};
static_assert(std::size(kKoujiTwins) == 38);

}  // namespace

RecordLayout::RecordLayout(const char* name, std::size_t recordLength,
                           std::span<const FieldDef> fields)
    : name_(name), recordLength_(recordLength), fields_(fields) {
  std::size_t offset = 0;
  offsets_.reserve(fields.size());
  for (const FieldDef& f : fields) {
    offsets_.push_back(offset);
    offset += f.width;
  }
  // Every layout ends its fields at byte length-2: one blank, then the line feed.
  assert(offset == recordLength - 2);
}

int RecordLayout::IndexOf(std::string_view fieldName) const {
  for (int i = 0; i < FieldCount(); ++i) {
    if (fieldName == fields_[static_cast<std::size_t>(i)].name) return i;
  }
  return -1;
}

Record::Record(const RecordLayout& layout) : layout_(&layout) { Clear(); }

void Record::Clear() {
  bytes_.assign(layout_->RecordLength(), ' ');
  bytes_.back() = '\n';
}

void Record::Unpack(std::string_view image) {
  bytes_.assign(layout_->RecordLength(), ' ');
  std::copy_n(image.data(), std::min(image.size(), bytes_.size()), bytes_.data());
}

std::string_view Record::Pack() {
  const int last = layout_->FieldCount() - 1;
  const std::size_t end = layout_->Offset(last) + layout_->Width(last);
  std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(end), bytes_.end(), ' ');
  bytes_.back() = '\n';
  return bytes_;
}

std::string_view Record::Get(int field) const {
  return std::string_view(bytes_).substr(layout_->Offset(field), layout_->Width(field));
}

std::string Record::Trimmed(int field) const { return TrimBlanks(Get(field)); }

void Record::Set(int field, std::string_view value) {
  const std::size_t width = layout_->Width(field);
  const Align align = layout_->Field(field).align;
  const std::string padded =
      PadField(value, align == Align::Right ? TextAlign::Right : TextAlign::Left, width);
  std::copy_n(padded.data(), width, bytes_.data() + layout_->Offset(field));
}

bool Record::FlagAt(int field, int pos) const {
  const std::string_view v = Get(field);
  return pos >= 0 && static_cast<std::size_t>(pos) < v.size() && v[static_cast<std::size_t>(pos)] == '1';
}

bool Record::MonthPlanned(int field, int month) const {
  const std::string_view v = Get(field);
  return month >= 1 && static_cast<std::size_t>(month) <= v.size() &&
         MonthMarked(v[static_cast<std::size_t>(month - 1)]);
}

void Record::SetFlagAt(int field, int pos, bool on) {
  if (pos < 0 || static_cast<std::size_t>(pos) >= layout_->Width(field)) return;
  bytes_[layout_->Offset(field) + static_cast<std::size_t>(pos)] = on ? '1' : ' ';
}

int Kouji::TwinOf(int koujiField) {
  if (koujiField < 1 || koujiField > 38) return -1;
  return kKoujiTwins[koujiField - 1];
}

const RecordLayout& KokyakuLayout() {
  static const RecordLayout layout("Kokyaku", kKokyakuRecordLength, kKokyakuFields);
  return layout;
}
const RecordLayout& TenkenDenpLayout() {
  static const RecordLayout layout("TenkenDenp", kTenkenDenpRecordLength, kTenkenDenpFields);
  return layout;
}
const RecordLayout& KoujiLayout() {
  static const RecordLayout layout("Kouji", kKoujiRecordLength, kKoujiFields);
  return layout;
}
const RecordLayout& JisyaLayout() {
  static const RecordLayout layout("Jisya", kJisyaRecordLength, kJisyaFields);
  return layout;
}

}  // namespace tankora
