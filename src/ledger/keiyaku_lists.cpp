#include "ledger/keiyaku_lists.h"

#include "inspection/tenken_lists.h"

namespace tankora {

namespace {

// The live customers, in list order, for which `match` holds on the image.
template <typename Match>
std::vector<int> SelectCustomers(const Store& store, Match match) {
  std::vector<int> found;
  const KokyakuSnapshot customers = KokyakuSnapshot::Read(store);
  for (int n : customers.Order()) {
    if (match(customers.Image(n))) found.push_back(n);
  }
  return found;
}

std::vector<int> SelectByYearMonth(const Store& store, int yearField, int westernYear, int month) {
  if (month < 1 || month > 12) return {};
  const std::size_t at = KokyakuLayout().Offset(yearField);
  return SelectCustomers(store, [&](std::string_view image) {
    return YearMonthMatches(image.substr(at, 6), westernYear, month);
  });
}

}  // namespace

std::vector<int> KeiyakuGeppouSelect(const Store& store, int westernYear, int month) {
  return SelectByYearMonth(store, Kokyaku::KeiyakuYear, westernYear, month);
}

std::vector<int> KeiyakuEndSelect(const Store& store, int westernYear, int month) {
  return SelectByYearMonth(store, Kokyaku::KeiyakuEndYear, westernYear, month);
}

std::vector<int> SyuukinYoteiSelect(const Store& store, int month) {
  if (month < 1 || month > 12) return {};
  const std::size_t at =
      KokyakuLayout().Offset(Kokyaku::SyuukinMonths) + static_cast<std::size_t>(month - 1);
  return SelectCustomers(store, [&](std::string_view image) { return image[at] != ' '; });
}

std::string_view SyuukinAmount(const Record& kokyaku, int month) {
  if (month < 1 || month > 12) return {};
  return kokyaku.Get(Kokyaku::Syukinngaku01 + month - 1);
}

}  // namespace tankora
