// Results of store operations: a value the screen can show, never an exception.
#pragma once

#include <string>

namespace tankora {

enum class StoreError {
  None,
  OutOfRange,        // record number outside 1..count (read) or 1..count+1 (write)
  CannotOpen,        // the file could not be opened or created
  WriteFailed,       // a write, flush or rename did not complete; the file is as before
  TooManyCustomers,  // storing would make more than 2000 live customers
  Locked,            // another running program holds the data folder
  Refused,           // the record holds what must not be stored (a day its month lacks)
};

struct Status {
  StoreError error = StoreError::None;
  std::string detail;  // for people: what failed and where (UTF-8)

  static Status Ok() { return {}; }
  static Status Fail(StoreError e, std::string d) { return {e, std::move(d)}; }
  bool ok() const { return error == StoreError::None; }
  explicit operator bool() const { return ok(); }
};

}  // namespace tankora
