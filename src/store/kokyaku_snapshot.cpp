#include "store/kokyaku_snapshot.h"

namespace tankora {

std::vector<KokyakuRow> KokyakuRows(const Store& store, std::span<const int> kokyakuNos) {
  std::vector<KokyakuRow> rows(kokyakuNos.size());
  RecordReader reader(store.KokyakuFile());
  for (std::size_t i = 0; i < kokyakuNos.size(); ++i) {
    rows[i].kokyakuNo = kokyakuNos[i];
    if (kokyakuNos[i] > 0 && !reader.Read(kokyakuNos[i], rows[i].kokyaku)) {
      rows[i].kokyaku.Clear();
    }
  }
  return rows;
}

}  // namespace tankora
