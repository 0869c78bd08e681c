#include "store/kokyaku_snapshot.h"

#include "util/fixed_text.h"

namespace tankora {

KokyakuSnapshot KokyakuSnapshot::Read(const Store& store) {
  KokyakuSnapshot snap;
  snap.length_ = store.KokyakuFile().Layout().RecordLength();
  if (store.ActiveCount() == 0) return snap;
  if (!store.KokyakuFile().ReadAll(snap.bytes_).ok()) {
    snap.bytes_.clear();
    return snap;
  }
  const int records = static_cast<int>(snap.bytes_.size() / snap.length_);
  snap.order_.reserve(store.ActiveIndex().size());
  // The index may name a record the file no longer holds (changed behind our
  // back); such a slot is no customer.
  for (int n : store.ActiveIndex()) {
    if (n >= 1 && n <= records) snap.order_.push_back(n);
  }
  return snap;
}

std::string_view KokyakuSnapshot::Image(int recNo) const {
  if (recNo < 1 || static_cast<std::size_t>(recNo) * length_ > bytes_.size()) return {};
  return std::string_view(bytes_).substr(static_cast<std::size_t>(recNo - 1) * length_, length_);
}

int KokyakuSnapshot::Find(std::string_view name) const {
  if (order_.empty()) return 0;
  const std::size_t offset = KokyakuLayout().Offset(Kokyaku::Name);
  const std::size_t width = KokyakuLayout().Width(Kokyaku::Name);
  if (!named_) {
    byName_.reserve(order_.size());
    for (int n : order_)
      byName_.try_emplace(std::string(Image(n).substr(offset, width)), n);  // first wins
    named_ = true;
  }
  const std::string key = PadField(name, TextAlign::Left, width);
  const auto it = byName_.find(key);
  return it == byName_.end() ? 0 : it->second;
}

std::vector<KokyakuRow> KokyakuRows(const Store& store, std::span<const int> kokyakuNos) {
  std::vector<KokyakuRow> rows(kokyakuNos.size());
  for (std::size_t i = 0; i < kokyakuNos.size(); ++i) {
    rows[i].kokyakuNo = kokyakuNos[i];
    if (kokyakuNos[i] > 0 && !store.KokyakuFile().ReadRecord(kokyakuNos[i], rows[i].kokyaku)) {
      rows[i].kokyaku.Clear();
    }
  }
  return rows;
}

}  // namespace tankora
