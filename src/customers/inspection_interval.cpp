#include "customers/inspection_interval.h"

#include <limits>
#include <ostream>

#include "store/store.h"
#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/kana.h"

namespace tankora {

namespace {

constexpr int kAnySize = std::numeric_limits<int>::max();

// One row of the ordinance's table: up to `upTo` persons, a tank of this
// kind treated by this method is inspected at least this often. The rows of
// a method come in ascending size.
struct IntervalRow {
  TankType tank;
  std::string_view method;
  int upTo;
  IntervalKind kind;
  int months;
  bool equipmentMayRequireMore = false;
};

using enum TankType;
using enum IntervalKind;

constexpr IntervalRow kRows[] = {
    // 単独
    {Tandoku, "全ばっ気", 20, Months, 3},
    {Tandoku, "全ばっ気", 300, Months, 2},
    {Tandoku, "全ばっ気", kAnySize, Months, 1},
    {Tandoku, "分離接触ばっ気", 20, Months, 4},
    {Tandoku, "分離接触ばっ気", 300, Months, 3},
    {Tandoku, "分離接触ばっ気", kAnySize, Months, 2},
    {Tandoku, "分離ばっ気", 20, Months, 4},
    {Tandoku, "分離ばっ気", 300, Months, 3},
    {Tandoku, "分離ばっ気", kAnySize, Months, 2},
    {Tandoku, "単純ばっ気", 20, Months, 4},
    {Tandoku, "単純ばっ気", 300, Months, 3},
    {Tandoku, "単純ばっ気", kAnySize, Months, 2},
    {Tandoku, "散水ろ床", kAnySize, Months, 6},
    {Tandoku, "平面酸化床", kAnySize, Months, 6},
    {Tandoku, "地下砂ろ過", kAnySize, Months, 6},
    // 合併: these three are built up to 50 persons only.
    {Gappei, "分離接触ばっ気", 20, Months, 4},
    {Gappei, "分離接触ばっ気", 50, Months, 3},
    {Gappei, "嫌気ろ床接触ばっ気", 20, Months, 4},
    {Gappei, "嫌気ろ床接触ばっ気", 50, Months, 3},
    {Gappei, "脱窒ろ床接触ばっ気", 20, Months, 4},
    {Gappei, "脱窒ろ床接触ばっ気", 50, Months, 3},
    {Gappei, "活性汚泥", kAnySize, Weekly, 0},
    // Every week with a sand filter, activated-carbon adsorption or a
    // coagulation tank, every two weeks with a screen and flow-equalisation
    // tank: the method text cannot tell, so the least is taken and said.
    {Gappei, "回転板接触", kAnySize, Months, 3, true},
    {Gappei, "接触ばっ気", kAnySize, Months, 3, true},
    {Gappei, "散水ろ床", kAnySize, Months, 3, true},
};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The form texts are compared in: kana as half-width katakana, letters and
// digits as ASCII, no blanks, the big ﾂ as the small ｯ (ばつ気 is an old
// spelling of ばっ気), and the kanji 曝 and 濾 as the kana they are read as.
std::string Normalise(std::string_view utf8) {
  std::string text(utf8);
  ReplaceAll(text, "曝気", "ばっ気");
  ReplaceAll(text, "濾", "ろ");
  text = ToHalfWidthKana(ToHalfWidthAscii(text));
  std::string out;
  for (const char c : text) {
    if (c != ' ' && c != '\t') out.push_back(c);
  }
  ReplaceAll(out, "ﾂ", "ｯ");
  return out;
}

struct KnownMethod {
  std::string_view name;
  std::string normalised;
};

const std::vector<KnownMethod>& KnownMethods() {
  static const std::vector<KnownMethod> methods = [] {
    std::vector<KnownMethod> list;
    for (const IntervalRow& row : kRows) {
      bool seen = false;
      for (const KnownMethod& m : list) seen = seen || m.name == row.method;
      if (!seen) list.push_back({row.method, Normalise(row.method)});
    }
    return list;
  }();
  return methods;
}

std::string MonthsText(int months) {
  return months == 1 ? "毎月1回以上" : std::to_string(months) + "か月に1回以上";
}

std::string UnjudgedText(const InspectionInterval& r) {
  const std::string method(r.method);
  switch (r.why) {
    case UnjudgedReason::NoTankType:
      return "単独・合併のどちらにも印がありません";
    case UnjudgedReason::BothTankTypes:
      return "単独と合併の両方に印があります";
    case UnjudgedReason::NoMethod:
      return "処理方法が入力されていません";
    case UnjudgedReason::UnknownMethod:
      return "処理方法が法定回数の表にありません（大臣認定の回数などによります）";
    case UnjudgedReason::MethodNotOfTank:
      return "「" + method + "」はこの区分（単独・合併）の法定回数の表にありません";
    case UnjudgedReason::NoSize:
      return "「" + method + "」は人槽で回数が変わりますが、人槽が入力されていません";
    case UnjudgedReason::SizeBeyondTable:
      return "「" + method + "」のこの人槽は法定回数の表にありません";
    case UnjudgedReason::None:
      break;
  }
  return {};
}

}  // namespace

std::string_view MatchTreatmentMethod(std::string_view utf8) {
  const std::string text = Normalise(utf8);
  std::string_view best;
  std::size_t bestLength = 0;
  for (const KnownMethod& m : KnownMethods()) {
    if (m.normalised.size() > bestLength && text.find(m.normalised) != std::string::npos) {
      best = m.name;
      bestLength = m.normalised.size();
    }
  }
  return best;
}

InspectionInterval RequiredInterval(TankType tank, std::string_view methodUtf8, int ninsou) {
  InspectionInterval result;
  if (TrimBlanks(methodUtf8).empty()) {
    result.why = UnjudgedReason::NoMethod;
    return result;
  }
  result.method = MatchTreatmentMethod(methodUtf8);
  if (result.method.empty()) {
    result.why = UnjudgedReason::UnknownMethod;
    return result;
  }
  if (tank == TankType::Unknown) {
    result.why = UnjudgedReason::NoTankType;
    return result;
  }
  bool ofTank = false;
  bool bySize = false;
  for (const IntervalRow& row : kRows) {
    if (row.tank != tank || row.method != result.method) continue;
    ofTank = true;
    bySize = bySize || row.upTo != kAnySize;
  }
  if (!ofTank) {
    result.why = UnjudgedReason::MethodNotOfTank;
    return result;
  }
  if (bySize && ninsou <= 0) {
    result.why = UnjudgedReason::NoSize;
    return result;
  }
  for (const IntervalRow& row : kRows) {
    if (row.tank != tank || row.method != result.method || ninsou > row.upTo) continue;
    result.kind = row.kind;
    result.months = row.months;
    result.equipmentMayRequireMore = row.equipmentMayRequireMore;
    return result;
  }
  result.why = UnjudgedReason::SizeBeyondTable;
  return result;
}

TankType TankTypeOf(const Record& kokyaku) {
  const bool tandoku = kokyaku.FlagAt(Kokyaku::Tandoku);
  const bool gappei = kokyaku.FlagAt(Kokyaku::Gappei);
  if (tandoku == gappei) return TankType::Unknown;
  return tandoku ? TankType::Tandoku : TankType::Gappei;
}

InspectionInterval RequiredInterval(const Record& kokyaku) {
  const TankType tank = TankTypeOf(kokyaku);
  const long ninsou = ValueOf(kokyaku.Get(Kokyaku::Ninsou));
  InspectionInterval result = RequiredInterval(
      tank, Cp932ToUtf8(kokyaku.Get(Kokyaku::KindSyorihouhou)), ninsou > 0 ? int(ninsou) : 0);
  // Both boxes checked is said as such, not as "neither".
  if (result.why == UnjudgedReason::NoTankType && kokyaku.FlagAt(Kokyaku::Tandoku)) {
    result.why = UnjudgedReason::BothTankTypes;
  }
  return result;
}

std::optional<int> LongestGap(const std::array<bool, 12>& planned) {
  int first = -1;
  int previous = -1;
  int longest = 0;
  for (int m = 0; m < 12; ++m) {
    if (!planned[static_cast<std::size_t>(m)]) continue;
    if (first < 0) first = m;
    if (previous >= 0 && m - previous > longest) longest = m - previous;
    previous = m;
  }
  if (first < 0) return std::nullopt;
  // From the last planned month round to the first one of the next year.
  const int wrap = first + 12 - previous;
  return wrap > longest ? wrap : longest;
}

std::optional<int> LongestInspectionGap(const Record& kokyaku) {
  std::array<bool, 12> planned{};
  for (int m = 1; m <= 12; ++m) {
    planned[static_cast<std::size_t>(m - 1)] = kokyaku.MonthPlanned(Kokyaku::TenkenMonths, m);
  }
  return LongestGap(planned);
}

IntervalCheck CheckInspectionInterval(const Record& kokyaku) {
  IntervalCheck check;
  check.required = RequiredInterval(kokyaku);
  check.longestGap = LongestInspectionGap(kokyaku);
  switch (check.required.kind) {
    case IntervalKind::Months:
      check.fallsShort = !check.longestGap || *check.longestGap > check.required.months;
      break;
    case IntervalKind::Weekly:
      check.fallsShort = true;
      break;
    case IntervalKind::Unjudged:
      break;
  }
  return check;
}

std::string RequiredText(const InspectionInterval& interval) {
  switch (interval.kind) {
    case IntervalKind::Months:
      return MonthsText(interval.months);
    case IntervalKind::Weekly:
      return "毎週1回以上";
    case IntervalKind::Unjudged:
      break;
  }
  return {};
}

IntervalLine DescribeInterval(const IntervalCheck& check) {
  IntervalLine line;
  const InspectionInterval& r = check.required;
  if (r.kind == IntervalKind::Unjudged) {
    line.text = "法定の点検回数は判定できません";
    line.note = UnjudgedText(r);
    return line;
  }
  line.text = "法定 " + RequiredText(r);
  line.fault = check.fallsShort;
  if (r.kind == IntervalKind::Weekly) {
    line.text += " — 月ごとの計画では満たせません";
  } else if (!check.longestGap) {
    line.text += " — 点検月が計画されていません";
  } else if (check.fallsShort) {
    line.text += " — 計画は最大" + std::to_string(*check.longestGap) + "か月空きます";
  } else {
    line.text += " ✓";
  }
  if (r.equipmentMayRequireMore) {
    line.note =
        "砂ろ過・活性炭吸着・凝集槽があれば毎週、スクリーン・流量調整タンクがあれば2週に1回以上";
  }
  return line;
}

std::vector<IntervalShortfall> FindIntervalShortfalls(const Store& store) {
  std::vector<IntervalShortfall> found;
  Record customer(KokyakuLayout());
  for (const int n : store.ActiveIndex()) {
    if (!store.KokyakuFile().ReadRecord(n, customer)) continue;
    const IntervalCheck check = CheckInspectionInterval(customer);
    if (check.fallsShort) found.push_back({n, check});
  }
  return found;
}

bool WriteIntervalShortfalls(const Store& store, CsvEncoding encoding, std::ostream& out) {
  const bool utf8 = encoding == CsvEncoding::Utf8;
  // Record bytes go out as the export writes them; the texts made here are
  // UTF-8 and go out in CP932 for the CP932 file.
  const auto field = [&](std::string& line, std::string_view raw, Align align) {
    const std::string_view value = CellValue(raw, align);
    AppendCsvCell(line, utf8 ? Cp932ToUtf8(value) : std::string(value));
  };
  const auto text = [&](std::string& line, const std::string& made) {
    AppendCsvCell(line, utf8 ? made : Utf8ToCp932(made).value_or(std::string{}));
  };
  std::string buffer = utf8 ? "\xEF\xBB\xBF" : "";
  buffer +=
      "RecordNo,Kana,Name,Tank,KindSyorihouhou,Ninsou,Required,TenkenMonths,LongestGap,Note\r\n";
  Record c(KokyakuLayout());
  const RecordLayout& layout = KokyakuLayout();
  const auto align = [&](int f) { return layout.Field(f).align; };
  for (const IntervalShortfall& s : FindIntervalShortfalls(store)) {
    if (!store.KokyakuFile().ReadRecord(s.recNo, c)) continue;
    buffer += std::to_string(s.recNo);
    for (const int f : {Kokyaku::Kana, Kokyaku::Name}) {
      buffer += ',';
      field(buffer, c.Get(f), align(f));
    }
    buffer += ',';
    text(buffer, TankTypeOf(c) == TankType::Tandoku ? "単独" : "合併");
    for (const int f : {Kokyaku::KindSyorihouhou, Kokyaku::Ninsou}) {
      buffer += ',';
      field(buffer, c.Get(f), align(f));
    }
    buffer += ',';
    text(buffer, RequiredText(s.check.required));
    buffer += ',';
    field(buffer, c.Get(Kokyaku::TenkenMonths), align(Kokyaku::TenkenMonths));
    buffer += ',';
    if (s.check.longestGap) buffer += std::to_string(*s.check.longestGap);
    buffer += ',';
    const IntervalLine line = DescribeInterval(s.check);
    std::string note;
    if (s.check.required.kind == IntervalKind::Weekly) {
      note = "月ごとの計画では満たせません";
    } else if (!s.check.longestGap) {
      note = "点検月が計画されていません";
    }
    if (!line.note.empty()) note += (note.empty() ? "" : "。") + line.note;
    text(buffer, note);
    buffer += "\r\n";
  }
  out << buffer;
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace tankora
