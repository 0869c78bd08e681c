// The live customers read in one pass, for the list views and reports that
// look at many customers at once: the customer list's order, each record's
// image, and the first listed customer of a name.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/store.h"

namespace tankora {

class KokyakuSnapshot final {
 public:
  // Reads Kokyaku.120 once and takes the store's live-customer index as the
  // order. An unreadable file gives an empty snapshot (no customers).
  static KokyakuSnapshot Read(const Store& store);

  // Record numbers of the live customers, in customer-list order.
  const std::vector<int>& Order() const { return order_; }
  // The record's image (one whole record), or "" when the file has no such record.
  std::string_view Image(int recNo) const;
  // The first listed customer whose 20-byte name equals `name` (blank-padded
  // to 20 bytes first), as the store's KokyakuFind finds it; 0 when none.
  int Find(std::string_view name) const;

 private:
  std::string bytes_;
  std::size_t length_ = 0;
  std::vector<int> order_;
  mutable std::unordered_map<std::string, int> byName_;  // built on the first Find
  mutable bool named_ = false;
};

// One customer row of a list view or report: the record number and the
// record (blank when the number is 0 or the record cannot be read).
struct KokyakuRow {
  int kokyakuNo = 0;
  Record kokyaku{KokyakuLayout()};
};
// The rows of the customers `kokyakuNos`, in that order, one per number.
std::vector<KokyakuRow> KokyakuRows(const Store& store, std::span<const int> kokyakuNos);

}  // namespace tankora
