#include "store/demo_office.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <system_error>

#include "store/company.h"
#include "store/data_folder.h"
#include "store/demo_words.h"
#include "store/file_io.h"
#include "store/record_layout.h"
#include "store/store.h"
#include "util/cp932.h"
#include "util/fixed_text.h"
#include "util/kana.h"

namespace tankora {

namespace fs = std::filesystem;

namespace {

using namespace demo;

// The standard fixes mt19937's output, not what the distributions make of it;
// the arithmetic here is ours so every library draws the same office.
class Dice final {
 public:
  explicit Dice(std::uint32_t seed) : rng_(seed) {}
  int Below(int n) { return n <= 1 ? 0 : static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::mt19937 rng_;
};

// The words are UTF-8 in the source; the records want CP932. A word that
// cannot be stored would be a mistake in the tables above, caught by the tests
// as a blank field.
std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8).value_or(std::string()); }

std::string Num(long value) { return std::to_string(value); }

// Day numbers (days since 1970-01-01) for date arithmetic.
long DaysFromCivil(Date d) {
  const int y = d.month <= 2 ? d.year - 1 : d.year;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return Date{year, month, day};
}

int DaysInMonth(int year, int month) {
  const Date next = month == 12 ? Date{year + 1, 1, 1} : Date{year, month + 1, 1};
  return static_cast<int>(DaysFromCivil(next) - DaysFromCivil(Date{year, month, 1}));
}

// The same day `years` later (28 February for a 29th that has none).
Date AddYears(Date d, int years) {
  Date r{d.year + years, d.month, d.day};
  r.day = std::min(r.day, DaysInMonth(r.year, r.month));
  return r;
}

void SetDate(Record& r, int yearField, Date d) {
  r.Set(yearField, Num(d.year));
  r.Set(yearField + 1, Num(d.month));
  r.Set(yearField + 2, Num(d.day));
}

// A tank's monthly fee for one visit, by its size in persons.
int VisitFee(int ninsou) {
  if (ninsou <= 5) return 5500;
  if (ninsou <= 8) return 6500;
  if (ninsou <= 10) return 7500;
  if (ninsou <= 14) return 9000;
  if (ninsou <= 18) return 10500;
  if (ninsou <= 21) return 12000;
  if (ninsou <= 30) return 15000;
  return 22000;
}

// What building one cost, in yen of the year it was built.
long ConstructionPrice(int ninsou, int year, Dice& dice) {
  const long base = 700000 + 90000L * std::min(ninsou, 10) + 85000L * std::max(ninsou - 10, 0);
  const long byYear = base * (100 - std::clamp(2026 - year, 0, 30)) / 100;
  return (byYear / 10000 + dice.Between(-5, 5)) * 10000;
}

struct Customer {
  Record rec{KokyakuLayout()};
  bool deleted = false;
  bool gappei = true;
  int ninsou = 5;
  int town = 0;
  int hash = 0;    // decides the visit day of each month, without the dice
  long built = 0;  // day number of the start of construction
  long inUse = 0;  // of the start of use
  long gone = 0;   // deleted ones: the last day the tank was looked after
  std::array<bool, 12> visits{};
};

// Names in a fixed shuffled order: each family name with each given name,
// once, then again with a number when an office outgrows them.
class NamePool final {
 public:
  explicit NamePool(Dice& dice) {
    const int s = static_cast<int>(std::size(kSurnames));
    const int g = static_cast<int>(std::size(kGivenNames));
    for (int i = 0; i < s * g; ++i) order_.push_back(i);
    for (int i = static_cast<int>(order_.size()) - 1; i > 0; --i) {
      std::swap(order_[static_cast<std::size_t>(i)],
                order_[static_cast<std::size_t>(dice.Below(i + 1))]);
    }
  }
  // The next person's name and the reading of the family name (UTF-8).
  std::pair<std::string, std::string> Next() {
    const std::size_t n = next_++;
    const int pair = order_[n % order_.size()];
    const Surname& surname = kSurnames[pair / std::size(kGivenNames)];
    std::string name =
        std::string(surname.kanji) + "　" + kGivenNames[pair % std::size(kGivenNames)];
    if (const std::size_t round = n / order_.size(); round > 0) name += FullWidth(round + 1);
    return {name, surname.reading};
  }

 private:
  static std::string FullWidth(std::size_t number) {
    static const char* digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string out;
    for (const char c : std::to_string(number)) out += digits[c - '0'];
    return out;
  }
  std::vector<int> order_;
  std::size_t next_ = 0;
};

std::string Reading(std::string_view hiragana) {
  const std::string kana = Sjis(ToHalfWidthKana(hiragana));
  return kana.substr(0, FitPrefix(kana, 4));
}

std::string Street(const Town& town, Dice& dice) {
  std::string place = town.name;
  if (place.find("大字") != std::string::npos) return place + Num(dice.Between(100, 2999)) + "番地";
  return place + Num(dice.Between(1, 5)) + "丁目" + Num(dice.Between(1, 30)) + "-" +
         Num(dice.Between(1, 20));
}

std::string Telephone(const Town& town, Dice& dice) {
  char digits[24];
  if (dice.Chance(25)) {
    std::snprintf(digits, sizeof digits, "090-%04d-%04d", dice.Below(10000), dice.Below(10000));
    return digits;
  }
  std::snprintf(digits, sizeof digits, "%s%04d", town.tel, dice.Below(10000));
  return digits;
}

// The customer: who, where, which tank, when it was built, its contract and
// its yearly plan.
Customer MakeCustomer(Dice& dice, NamePool& names, int& businessesUsed, Date today) {
  Customer c;
  Record& r = c.rec;
  r.Clear();
  const long todayNo = DaysFromCivil(today);

  const Business* business = nullptr;
  if (businessesUsed < static_cast<int>(std::size(kBusinesses)) && dice.Chance(12)) {
    business = &kBusinesses[businessesUsed++];
  }
  std::string name, reading;
  if (business) {
    name = business->name;
    reading = business->reading;
    c.ninsou = business->ninsou;
    c.gappei = true;
  } else {
    std::tie(name, reading) = names.Next();
    c.gappei = dice.Chance(70);
    static constexpr int kGappeiSizes[] = {5, 5, 5, 7, 7, 7, 10};
    static constexpr int kTandokuSizes[] = {5, 7, 8, 10};
    c.ninsou = c.gappei ? dice.Pick(kGappeiSizes) : dice.Pick(kTandokuSizes);
  }
  r.Set(Kokyaku::Kana, Reading(reading));
  r.Set(Kokyaku::Name, Sjis(name));
  r.Set(c.gappei ? Kokyaku::Gappei : Kokyaku::Tandoku, "1");

  // When it was built: stand-alone tanks until new ones stopped being
  // allowed (2001), combined ones from the 1980s on; a share of them lately.
  int year;
  if (!c.gappei) {
    year = dice.Between(1970, std::min(2000, today.year));
  } else if (dice.Chance(12)) {
    year = today.year - dice.Below(3);
  } else {
    year = dice.Between(std::min(1985, today.year), today.year);
  }
  c.built = DaysFromCivil(Date{year, dice.Between(1, 12), dice.Between(1, 28)});
  while (c.built > todayNo - 60) c.built -= 365;
  const long finished = c.built + dice.Between(10, 30);
  c.inUse = finished + dice.Between(2, 14);
  SetDate(r, Kokyaku::StartYear, CivilFromDays(c.built));
  SetDate(r, Kokyaku::EndYear, CivilFromDays(finished));
  SetDate(r, Kokyaku::UseStartYear, CivilFromDays(c.inUse));
  const Date builtDate = CivilFromDays(c.built);
  r.Set(Kokyaku::UkeoiKingaku, Num(ConstructionPrice(c.ninsou, builtDate.year, dice)));
  if (builtDate.year >= 2000) {
    const int who = dice.Below(static_cast<int>(std::size(kInstallers)));
    r.Set(Kokyaku::Setubisi, Sjis(kInstallers[who]));
    r.Set(Kokyaku::KoufuNo, Sjis(kInstallerNos[who]));
  }

  // Where: a house is looked after where its owner lives; now and then the
  // owner lives elsewhere.
  c.town = dice.Below(static_cast<int>(std::size(kTowns)));
  const Town& town = kTowns[c.town];
  const std::string place = Street(town, dice);
  const bool elsewhere = !business && dice.Chance(10);
  const Town& home = elsewhere ? kTowns[dice.Below(static_cast<int>(std::size(kTowns)))] : town;
  r.Set(Kokyaku::Zip1, home.zip1);
  r.Set(Kokyaku::Zip2, home.zip2);
  r.Set(Kokyaku::Address, Sjis(elsewhere ? Street(home, dice) : place));
  r.Set(Kokyaku::Tel, Telephone(home, dice));
  r.Set(Kokyaku::SettiAddress, Sjis(place));

  // Which tank.
  const int firstModel = c.gappei ? 0 : 3;
  const int modelNo = firstModel + dice.Below(3);
  const TankModel& model = kModels[modelNo];
  r.Set(Kokyaku::KindMeisyou, Sjis(model.name));
  r.Set(Kokyaku::KindNinteiNo,
        Sjis(std::string(model.ninteiPre) + Num(1000 + modelNo * 137 + c.ninsou * 7) + "号"));
  r.Set(Kokyaku::KindKatasiki, Sjis(std::string(model.katasiki) + Num(c.ninsou) + "型"));
  r.Set(Kokyaku::KindSyorihouhou, Sjis(model.syori));
  if (c.gappei) r.Set(Kokyaku::Sinyou, "1");
  if (business) {
    r.Set(Kokyaku::Youto1, Sjis(business->use));
    r.Set(Kokyaku::Youto2, Sjis(business->area));
  } else {
    r.Set(Kokyaku::Youto1, Sjis(dice.Pick(kHouseUses)));
    r.Set(Kokyaku::Youto2, Sjis("延べ面積　" + Num(dice.Between(85, 180)) + "㎡"));
  }
  r.Set(Kokyaku::KanriGyousya, Sjis(kCompanyShortName));
  r.Set(Kokyaku::SeisouGyousya, Sjis(dice.Pick(kCleaners)));
  r.Set(Kokyaku::Ninsou, Num(c.ninsou));

  // The maintenance contract runs from the month after the tank came into
  // use, a year or a few at a time; the record holds the current period.
  const Date use = CivilFromDays(c.inUse);
  const Date firstStart =
      use.month == 12 ? Date{use.year + 1, 1, 1} : Date{use.year, use.month + 1, 1};
  // Years up to kYearsAheadContract on can be shown and typed; the longest
  // period here ends well inside that.
  const int years = dice.Chance(70) ? 1 : (dice.Chance(66) ? 2 : 3);
  Date start = firstStart;
  while (DaysFromCivil(AddYears(start, years)) <= todayNo) start = AddYears(start, years);
  SetDate(r, Kokyaku::KeiyakuYear, CivilFromDays(DaysFromCivil(start) - dice.Between(5, 25)));
  SetDate(r, Kokyaku::KeiyakuStartYear, start);
  SetDate(r, Kokyaku::KeiyakuEndYear, CivilFromDays(DaysFromCivil(AddYears(start, years)) - 1));

  // The yearly plan: bigger tanks are seen more often; the fee is taken at
  // each visit, once a year at the contract's start, or twice.
  int perYear = 3;
  if (c.ninsou >= 50) {
    perYear = 12;
  } else if (c.ninsou >= 21) {
    perYear = 6;
  } else if (modelNo == 5 || dice.Chance(25)) {
    perYear = 4;
  }
  const int step = 12 / perYear;
  const int first = dice.Below(step);
  for (int m = first; m < 12; m += step) c.visits[static_cast<std::size_t>(m)] = true;
  const int fee = VisitFee(c.ninsou) + 500 * dice.Between(-1, 1);
  const int how = dice.Below(10);
  for (int m = 0; m < 12; ++m) {
    int amount = 0;
    if (how < 4) {
      amount = c.visits[static_cast<std::size_t>(m)] ? fee : 0;
    } else if (how < 8) {
      amount = m == start.month - 1 ? fee * perYear : 0;
    } else {
      amount = (m == start.month - 1 || m == (start.month + 5) % 12) ? fee * perYear / 2 : 0;
    }
    r.SetFlagAt(Kokyaku::TenkenMonths, m, c.visits[static_cast<std::size_t>(m)]);
    if (amount > 0) {
      r.SetFlagAt(Kokyaku::SyuukinMonths, m, true);
      r.Set(Kokyaku::Syukinngaku01 + m, Num(amount));
    }
  }
  c.hash = dice.Below(1 << 20);
  return c;
}

// The day of the month a customer is visited: the same day each time for
// the same month, drawn without the dice so that counting visits and making
// them agree.
int VisitDay(const Customer& c, int year, int month) {
  const unsigned h = static_cast<unsigned>(c.hash) * 2654435761u ^
                     static_cast<unsigned>(year * 12 + month) * 40503u;
  return 1 + static_cast<int>((h >> 7) % 28);
}

struct Visit {
  int customer;
  Date date;
};

// The visits of one month, in the order they happen (by day, then by the
// order customers were registered).
std::vector<Visit> VisitsOf(const std::vector<Customer>& customers, int year, int month,
                            long todayNo) {
  std::vector<Visit> visits;
  for (std::size_t i = 0; i < customers.size(); ++i) {
    const Customer& c = customers[i];
    if (!c.visits[static_cast<std::size_t>(month - 1)]) continue;
    const Date date{year, month, VisitDay(c, year, month)};
    const long day = DaysFromCivil(date);
    if (day <= c.inUse || day > todayNo || (c.deleted && day > c.gone)) continue;
    visits.push_back({static_cast<int>(i), date});
  }
  std::stable_sort(visits.begin(), visits.end(),
                   [](const Visit& a, const Visit& b) { return a.date.day < b.date.day; });
  return visits;
}

// One slip as the inspector's sheet would be typed in: readings around the
// usual values for the kind of tank, a few outside the criteria, and the
// remark that goes with what was found.
void FillSlip(Record& s, const Customer& c, Date date, Dice& dice) {
  s.Clear();
  s.Set(TenkenDenp::KokyakuName, c.rec.Get(Kokyaku::Name));
  s.Set(TenkenDenp::Year, Num(date.year));
  s.Set(TenkenDenp::Month, Num(date.month));
  s.Set(TenkenDenp::Day, Num(date.day));

  const bool lowPh = dice.Chance(2);
  const bool highPh = !lowPh && dice.Chance(1);
  const bool murky = dice.Chance(4);
  const bool noChlorine = dice.Chance(5);
  const bool sludge = !murky && dice.Chance(3);

  int ph = dice.Between(64, 78);
  if (lowPh) ph = dice.Between(52, 57);
  if (highPh) ph = dice.Between(87, 90);
  int clarity = c.gappei ? dice.Between(22, 30) : dice.Between(9, 20);
  if (murky) clarity = c.gappei ? dice.Between(10, 19) : dice.Between(3, 6);
  char phText[8];
  std::snprintf(phText, sizeof phText, "%d.%d", ph / 10, ph % 10);
  s.Set(TenkenDenp::Gaikan,
        Sjis(murky ? dice.Pick(kCloudy) : (c.gappei ? dice.Pick(kClear) : dice.Pick(kCloudy))));
  s.Set(TenkenDenp::Syuuki, Sjis(murky ? "有" : (dice.Chance(85) ? "無" : "微")));
  s.Set(TenkenDenp::Ph, phText);
  s.Set(TenkenDenp::Tousido, Num(clarity));
  s.Set(TenkenDenp::Asyousan, c.gappei && dice.Chance(80) ? "+" : "-");
  char chlorine[8];
  std::snprintf(chlorine, sizeof chlorine, "0.%d", noChlorine ? 0 : dice.Between(1, 5));
  s.Set(TenkenDenp::Zanen, chlorine);
  s.Set(TenkenDenp::Ion, Num(dice.Between(80, 190)));
  const int inspector = dice.Chance(85) ? c.town % 3 : dice.Below(3);
  s.Set(TenkenDenp::Kanrisya, Sjis(kInspectors[inspector]));
  const char* remark = dice.Pick(kRoutineRemarks);
  if (noChlorine) remark = kChlorineRemark;
  if (sludge) remark = kSludgeRemark;
  if (lowPh || highPh) remark = kPhRemark;
  if (murky) remark = kLowTransparencyRemark;
  s.Set(TenkenDenp::Bikou, Sjis(remark));
}

// The month `back` months before (year, month).
std::pair<int, int> MonthsBefore(int year, int month, int back) {
  const int index = year * 12 + (month - 1) - back;
  return {index / 12, index % 12 + 1};
}

std::string Slips(const std::vector<Customer>& customers, const DemoScale& scale, Date today,
                  Dice& dice) {
  const long todayNo = DaysFromCivil(today);
  // How far back: the last `slipYears` years, or as far as it takes to have
  // `slips` visits (a slip a little more than a visit: mistakes are deleted
  // and typed again), never before the oldest tank.
  int months = scale.slipYears * 12;
  if (scale.slips > 0) {
    long seen = 0;
    for (months = 0; seen < scale.slips && months < 70 * 12; ++months) {
      const auto [y, m] = MonthsBefore(today.year, today.month, months);
      seen += static_cast<long>(VisitsOf(customers, y, m, todayNo).size());
    }
  }
  std::string file;
  Record slip(TenkenDenpLayout());
  long records = 0;
  for (int back = months - 1; back >= 0; --back) {
    const auto [y, m] = MonthsBefore(today.year, today.month, back);
    for (const Visit& v : VisitsOf(customers, y, m, todayNo)) {
      const Customer& c = customers[static_cast<std::size_t>(v.customer)];
      if (dice.Chance(1)) {
        // Typed for the wrong customer or day, deleted, typed again.
        FillSlip(slip, c, v.date, dice);
        slip.Set(TenkenDenp::DeleteFlag, "1");
        file += slip.Pack();
        ++records;
      }
      FillSlip(slip, c, v.date, dice);
      file += slip.Pack();
      ++records;
    }
  }
  if (scale.slips > 0 && records > scale.slips) {
    file.erase(0, static_cast<std::size_t>(records - scale.slips) * kTenkenDenpRecordLength);
  }
  return file;
}

Record LedgerEntryOf(const Customer& c) {
  Record k(KoujiLayout());
  k.Clear();
  for (int f = 1; f <= 38; ++f) k.Set(f, c.rec.Get(Kouji::TwinOf(f)));
  return k;
}

std::string Ledger(const std::vector<Customer>& customers, const DemoScale& scale, NamePool& names,
                   Date today, Dice& dice) {
  std::vector<const Customer*> built;
  for (const Customer& c : customers) built.push_back(&c);
  std::stable_sort(built.begin(), built.end(),
                   [](const Customer* a, const Customer* b) { return a->built < b->built; });
  const long todayNo = DaysFromCivil(today);
  std::vector<Record> entries;
  if (scale.ledgerEntries > 0) {
    const std::size_t keep = std::min(built.size(), static_cast<std::size_t>(scale.ledgerEntries));
    for (std::size_t i = built.size() - keep; i < built.size(); ++i) {
      entries.push_back(LedgerEntryOf(*built[i]));
    }
  } else {
    const long since = DaysFromCivil(AddYears(today, -scale.slipYears));
    for (const Customer* c : built) {
      if (c->built >= since) entries.push_back(LedgerEntryOf(*c));
    }
    // A job quoted and called off (entered, then deleted), and a tank being
    // built now: begun, not finished, no customer yet (F3 makes one).
    int noBusiness = static_cast<int>(std::size(kBusinesses));
    Customer quote = MakeCustomer(dice, names, noBusiness, today);
    Record cancelled = LedgerEntryOf(quote);
    cancelled.Set(Kouji::DeleteFlag, "1");
    for (int f = Kouji::StartYear; f <= Kouji::UseStartDay; ++f) cancelled.Set(f, "");
    for (int f = Kouji::KeiyakuYear; f <= Kouji::KeiyakuEndDay; ++f) cancelled.Set(f, "");
    entries.insert(entries.begin() + static_cast<long>(entries.size() / 2), cancelled);

    Customer underWay = MakeCustomer(dice, names, noBusiness, today);
    Record job = LedgerEntryOf(underWay);
    SetDate(job, Kouji::StartYear, CivilFromDays(todayNo - dice.Between(3, 12)));
    for (int f = Kouji::EndYear; f <= Kouji::UseStartDay; ++f) job.Set(f, "");
    for (int f = Kouji::KeiyakuYear; f <= Kouji::KeiyakuEndDay; ++f) job.Set(f, "");
    job.Set(Kouji::Money, Num(ConstructionPrice(underWay.ninsou, today.year, dice)));
    job.Set(Kouji::Setubisi, Sjis(kInstallers[0]));
    job.Set(Kouji::KoufuNo, Sjis(kInstallerNos[0]));
    entries.push_back(job);
  }
  std::string file;
  for (Record& e : entries) file += e.Pack();
  return file;
}

std::string CompanyImage() {
  Record r(JisyaLayout());
  r.Clear();
  r.Set(JisyaFieldOf(CompanyField::KaisyaName), Sjis(kCompanyName));
  r.Set(JisyaFieldOf(CompanyField::Address), Sjis(kCompanyAddress));
  r.Set(JisyaFieldOf(CompanyField::Name), Sjis(kCompanyPerson));
  r.Set(JisyaFieldOf(CompanyField::Tel), kCompanyTel);
  r.Set(JisyaFieldOf(CompanyField::Teisyutusaki), Sjis(kCompanyAddressee));
  r.Set(JisyaFieldOf(CompanyField::TopMargine), kTopMargin);
  r.Set(JisyaFieldOf(CompanyField::LeftMargine), kLeftMargin);
  return std::string(r.Pack());
}

}  // namespace

DemoImages GenerateDemoOffice(const DemoOptions& options) {
  const DemoScale& scale = options.scale;
  const Date today = options.today;
  Dice dice(options.seed);
  NamePool names(dice);

  const int total = std::max(0, scale.liveCustomers) + std::max(0, scale.deletedCustomers);
  std::vector<Customer> customers;
  customers.reserve(static_cast<std::size_t>(total));
  int businesses = 0;
  for (int i = 0; i < total; ++i) customers.push_back(MakeCustomer(dice, names, businesses, today));
  std::vector<int> order(static_cast<std::size_t>(total));
  for (int i = 0; i < total; ++i) order[static_cast<std::size_t>(i)] = i;
  for (int i = total - 1; i > 0; --i) {
    std::swap(order[static_cast<std::size_t>(i)],
              order[static_cast<std::size_t>(dice.Below(i + 1))]);
  }
  const long todayNo = DaysFromCivil(today);
  // Tanks given up are old ones, where the sewer has come since.
  std::stable_partition(order.begin(), order.end(), [&](int i) {
    return customers[static_cast<std::size_t>(i)].inUse < todayNo - 5 * 365;
  });
  for (int i = 0; i < std::min(total, std::max(0, scale.deletedCustomers)); ++i) {
    Customer& c = customers[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    c.deleted = true;
    c.rec.Set(Kokyaku::DeleteFlag, "1");
    const long earliest = c.inUse + 2 * 365;
    const long latest = todayNo - 60;
    c.gone = earliest >= latest ? latest
                                : earliest + dice.Below(static_cast<int>(latest - earliest) + 1);
    if (c.gone < c.inUse) c.gone = c.inUse;
  }
  // The file holds them in the order they were registered: as they came into use.
  std::stable_sort(customers.begin(), customers.end(),
                   [](const Customer& a, const Customer& b) { return a.inUse < b.inUse; });

  DemoImages images;
  images.jisya = CompanyImage();
  images.kokyaku.reserve(static_cast<std::size_t>(total) * kKokyakuRecordLength);
  for (Customer& c : customers) {
    images.kokyaku += c.rec.Pack();
    images.names.emplace_back(c.rec.Get(Kokyaku::Name));
  }
  images.tenken = Slips(customers, scale, today, dice);
  images.kouji = Ledger(customers, scale, names, today, dice);
  return images;
}

Status WriteDemoOffice(const fs::path& dataDir, const DemoOptions& options) {
  std::error_code ec;
  const fs::file_status status = fs::status(dataDir, ec);
  if (fs::exists(status)) {
    if (!fs::is_directory(status)) {
      return Status::Fail(StoreError::CannotOpen, dataDir.string() + " is not a folder");
    }
    if (!fs::is_empty(dataDir, ec) || ec) {
      return Status::Fail(StoreError::CannotOpen,
                          dataDir.string() +
                              " is not empty; the demo office goes only into a new or empty "
                              "folder, never over an office's data");
    }
  }
  const fs::path absolute = fs::absolute(dataDir, ec).lexically_normal();
  fs::path parent = (absolute.has_filename() ? absolute : absolute.parent_path()).parent_path();
  fs::create_directories(parent, ec);
  std::string templ = (parent / ".tankora-demo-XXXXXX").string();
  if (::mkdtemp(templ.data()) == nullptr) {
    return fileio::Failure(StoreError::CannotOpen, "cannot make a folder in", parent, errno);
  }
  const fs::path work = templ;
  auto abandon = [&work](Status s) {
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return s;
  };

  const DemoImages images = GenerateDemoOffice(options);
  Store store(work);
  const std::pair<const RecordFile*, const std::string*> files[] = {
      {&store.JisyaFile(), &images.jisya},
      {&store.KokyakuFile(), &images.kokyaku},
      {&store.TenkenFile(), &images.tenken},
      {&store.KoujiFile(), &images.kouji}};
  for (const auto& [file, bytes] : files) {
    if (Status s = fileio::ReplaceFile(file->Path(), *bytes, "demo"); !s) return abandon(s);
  }
  // Sorted and indexed by the program's own sort, as after the last F1 登録.
  if (Status s = store.Open(); !s) return abandon(s);
  if (Status s = store.KokyakuSortAndIndex(); !s) return abandon(s);
  std::string backupFolder;
  if (Status s = LoadBackupFolder(work, &backupFolder); !s) return abandon(s);

  // rename(2) puts a folder over an empty one in one step; anyone who filled
  // it meanwhile keeps what they put there.
  if (::rename(work.c_str(), absolute.c_str()) != 0) {
    return abandon(fileio::Failure(StoreError::WriteFailed, "cannot move the demo office to",
                                   absolute, errno));
  }
  (void)fileio::SyncDirectory(parent);
  return Status::Ok();
}

}  // namespace tankora
