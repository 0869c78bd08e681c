// Failure injection for the tests: every call of the store that changes a
// file (open for writing, write, truncate, flush, close, rename, remove,
// chmod) is counted, and one of them can be made to fail, or the machine cut
// off there, to see what the files and the screen say afterwards.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/file_io.h"

namespace tankora::testing {

enum class FaultKind {
  None,  // only count and log the calls
  Fail,  // the call fails with EIO; the program carries on
  Cut,   // the power goes just before the call: it and every later call never happen
  Torn,  // a write lands its first half, then the power goes (other calls: as Cut)
};

inline const char* FaultKindName(FaultKind kind) {
  switch (kind) {
    case FaultKind::None: return "none";
    case FaultKind::Fail: return "fail";
    case FaultKind::Cut: return "cut";
    case FaultKind::Torn: return "torn";
  }
  return "?";
}

using CallMatch = std::function<bool(fileio::FileCall, const std::filesystem::path&)>;

// Matches the calls of one kind on files of one name ("Kokyaku.120").
inline CallMatch CallOn(fileio::FileCall call, std::string fileName) {
  return [call, fileName = std::move(fileName)](fileio::FileCall c,
                                                const std::filesystem::path& p) {
    return c == call && p.filename() == fileName;
  };
}

// A hook of the test's own, installed for the guard's lifetime.
class ScopedCallHook final {
 public:
  explicit ScopedCallHook(fileio::CallFaultHook hook) { fileio::SetCallFaultHook(std::move(hook)); }
  ~ScopedCallHook() { fileio::SetCallFaultHook({}); }
  ScopedCallHook(const ScopedCallHook&) = delete;
  ScopedCallHook& operator=(const ScopedCallHook&) = delete;
};

// Installed for its lifetime. The fault strikes at the `at`-th call (1-based)
// among those `match` accepts (all calls when none is given).
class FaultLayer final {
 public:
  FaultLayer() : FaultLayer(FaultKind::None, 0) {}
  FaultLayer(FaultKind kind, int at, CallMatch match = {})
      : kind_(kind), at_(at), match_(std::move(match)) {
    fileio::SetCallFaultHook([this](fileio::FileCall call, const std::filesystem::path& path) {
      return Decide(call, path);
    });
  }
  ~FaultLayer() { fileio::SetCallFaultHook({}); }
  FaultLayer(const FaultLayer&) = delete;
  FaultLayer& operator=(const FaultLayer&) = delete;

  // Calls seen (all of them, not only the matching ones), and what they were.
  int Calls() const { return static_cast<int>(log_.size()); }
  const std::vector<std::string>& Log() const { return log_; }
  bool Struck() const { return struck_; }
  // True once the power is gone: nothing of the program's reaches the disk.
  bool Dead() const { return dead_; }
  // The write calls seen, by their number among all calls (for Torn sweeps).
  const std::vector<int>& Writes() const { return writes_; }

 private:
  fileio::CallFault Decide(fileio::FileCall call, const std::filesystem::path& path) {
    log_.push_back(std::string(fileio::FileCallName(call)) + " " + path.filename().string());
    if (call == fileio::FileCall::Write) writes_.push_back(Calls());
    if (dead_) return fileio::CallFault::Fail;
    if (kind_ == FaultKind::None) return fileio::CallFault::None;
    if (match_ && !match_(call, path)) return fileio::CallFault::None;
    if (++seen_ != at_) return fileio::CallFault::None;
    struck_ = true;
    switch (kind_) {
      case FaultKind::Fail:
        return fileio::CallFault::Fail;
      case FaultKind::Cut:
        dead_ = true;
        return fileio::CallFault::Fail;
      case FaultKind::Torn:
        dead_ = true;
        return call == fileio::FileCall::Write ? fileio::CallFault::Tear : fileio::CallFault::Fail;
      case FaultKind::None:
        break;
    }
    return fileio::CallFault::None;
  }

  FaultKind kind_;
  int at_;
  CallMatch match_;
  int seen_ = 0;
  bool struck_ = false;
  bool dead_ = false;
  std::vector<std::string> log_;
  std::vector<int> writes_;
};

}  // namespace tankora::testing
