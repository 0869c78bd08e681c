// How often the law wants a tank inspected, and whether a customer's month
// plan keeps to it.
//
// The ordinance on septic tanks sets the least number of maintenance
// inspections by tank (単独 / 合併), treatment method and size (人槽). The
// office plans inspections by month on the month panel; nothing else tells
// it when a plan leaves a longer gap than the law allows. The check here
// reads only the customer record: its 単独/合併 flags, `KindSyorihouhou`
// (free text, matched to the ordinance's methods) and `Ninsou`.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/export_csv.h"
#include "store/record_layout.h"

namespace tankora {

class Store;

enum class TankType { Unknown, Tandoku, Gappei };

enum class IntervalKind {
  Months,    // at least once every `months` months
  Weekly,    // every week: no plan by months can keep to it
  Unjudged,  // the ordinance's table does not decide it from the record
};

// Why a customer's interval is not judged.
enum class UnjudgedReason {
  None,
  NoTankType,       // neither 単独 nor 合併 is checked
  BothTankTypes,    // both are
  NoMethod,         // no treatment method typed
  UnknownMethod,    // a method the table does not name
  MethodNotOfTank,  // a method the table names for the other kind of tank only
  NoSize,           // the method's interval depends on 人槽, which is blank
  SizeBeyondTable,  // larger than the table's rows for the method
};

struct InspectionInterval {
  IntervalKind kind = IntervalKind::Unjudged;
  int months = 0;
  UnjudgedReason why = UnjudgedReason::None;
  // The ordinance's name of the method matched (UTF-8), "" when none.
  std::string_view method;
  // Weekly or fortnightly with certain equipment, which the method text
  // cannot tell (合併 回転板接触, 接触ばっ気, 散水ろ床).
  bool equipmentMayRequireMore = false;
};

// The method a treatment-method text (UTF-8) names, as the ordinance spells
// it, or "" when it names none. Width, katakana and half-width katakana,
// ばつ/ばっ (and 曝気, 濾), and blanks do not matter; a text holding more than
// the name ("嫌気ろ床接触ばっ気方式") names the longest method it contains.
std::string_view MatchTreatmentMethod(std::string_view utf8);

// The interval the table gives (the method as UTF-8; `ninsou` 0 when unknown).
InspectionInterval RequiredInterval(TankType tank, std::string_view methodUtf8, int ninsou);
TankType TankTypeOf(const Record& kokyaku);
InspectionInterval RequiredInterval(const Record& kokyaku);

// The longest run of months from one planned inspection to the next, round
// the year (months 1, 5, 9: 4; a single month: 12); nullopt when none is
// planned. Planned months are read by MonthMarked.
std::optional<int> LongestGap(const std::array<bool, 12>& planned);
std::optional<int> LongestInspectionGap(const Record& kokyaku);

struct IntervalCheck {
  InspectionInterval required;
  std::optional<int> longestGap;
  bool fallsShort = false;  // never for an unjudged interval
};
IntervalCheck CheckInspectionInterval(const Record& kokyaku);

// What the month panel says beside its counters (UTF-8): "法定 4か月に1回以上
// ✓", "法定 3か月に1回以上 — 計画は最大4か月空きます" (a fault), and on a
// second line what the table cannot tell.
struct IntervalLine {
  std::string text;
  std::string note;
  bool fault = false;
};
IntervalLine DescribeInterval(const IntervalCheck& check);
// "4か月に1回以上", "毎月1回以上", "毎週1回以上"; "" when unjudged.
std::string RequiredText(const InspectionInterval& interval);

// The live customers, in list order, whose plan falls short, with what the
// check found.
struct IntervalShortfall {
  int recNo;
  IntervalCheck check;
};
std::vector<IntervalShortfall> FindIntervalShortfalls(const Store& store);

// Those customers as CSV in the export's form and encodings: RecordNo, Kana,
// Name, Tank, KindSyorihouhou, Ninsou, Required, TenkenMonths, LongestGap,
// Note. False when the stream failed.
bool WriteIntervalShortfalls(const Store& store, CsvEncoding encoding, std::ostream& out);

}  // namespace tankora
