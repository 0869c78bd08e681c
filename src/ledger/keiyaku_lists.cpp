#include "ledger/keiyaku_lists.h"

#include "inspection/tenken_lists.h"

namespace tankora {

namespace {

// The live customers, in list order, for which `match` holds on the digest
// the store keeps of each (no customer record is read).
template <typename Match>
std::vector<int> SelectCustomers(const Store& store, Match match) {
  std::vector<int> found;
  for (int n : store.ActiveIndex()) {
    if (match(store.KokyakuDigestOf(n))) found.push_back(n);
  }
  return found;
}

std::vector<int> SelectByYearMonth(const Store& store, std::array<char, 6> KokyakuDigest::*date,
                                   int westernYear, int month) {
  if (month < 1 || month > 12) return {};
  return SelectCustomers(store, [&](const KokyakuDigest& d) {
    return YearMonthMatches(std::string_view((d.*date).data(), 6), westernYear, month);
  });
}

}  // namespace

std::vector<int> KeiyakuGeppouSelect(const Store& store, int westernYear, int month) {
  return SelectByYearMonth(store, &KokyakuDigest::keiyaku, westernYear, month);
}

std::vector<int> KeiyakuEndSelect(const Store& store, int westernYear, int month) {
  return SelectByYearMonth(store, &KokyakuDigest::keiyakuEnd, westernYear, month);
}

std::vector<int> SyuukinYoteiSelect(const Store& store, int month) {
  if (month < 1 || month > 12) return {};
  const auto bit = static_cast<std::uint16_t>(1u << (month - 1));
  return SelectCustomers(store, [&](const KokyakuDigest& d) { return (d.syuukinMonths & bit) != 0; });
}

std::string_view SyuukinAmount(const Record& kokyaku, int month) {
  if (month < 1 || month > 12) return {};
  return kokyaku.Get(Kokyaku::Syukinngaku01 + month - 1);
}

}  // namespace tankora
