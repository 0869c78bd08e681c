// The customer rows a list view or report shows, read by record number. (The
// selections themselves read no customer record: they use the digest the
// store keeps of each, Store::KokyakuDigestOf.)
#pragma once

#include <span>
#include <vector>

#include "store/store.h"

namespace tankora {

// One customer row of a list view or report: the record number and the
// record (blank when the number is 0 or the record cannot be read).
struct KokyakuRow {
  int kokyakuNo = 0;
  Record kokyaku{KokyakuLayout()};
};
// The rows of the customers `kokyakuNos`, in that order, one per number.
std::vector<KokyakuRow> KokyakuRows(const Store& store, std::span<const int> kokyakuNos);

}  // namespace tankora
