// The clean-up rules ("整理する"): which records a cleaned copy leaves out.
// Deleted records of the three business files go, and slips older than the
// years the office keeps them; a live customer and the company profile always
// stay.
#pragma once

#include <functional>
#include <string_view>

#include "backup/backup_files.h"
#include "util/era.h"

namespace tankora {

// Slips are kept for at least the statutory three years; five by default.
inline constexpr int kDefaultKeepYears = 5;
inline constexpr int kMinKeepYears = 3;
inline constexpr int kMaxKeepYears = 99;

// The years a clean-up keeps: never fewer than kMinKeepYears.
int ClampKeepYears(int years);

// The earliest date a slip may carry and stay: today, `years` years back
// (29 February goes to the 28th in a common year).
Date KeepSince(Date today, int years);

// True when the slip's stored date is a whole date before `since`. A slip
// whose date cannot be read is never judged too old.
bool SlipOlderThan(std::string_view slipImage, Date since);

// The keep rule of a cleaned copy for one part (empty for the company
// profile, which is copied whole).
std::function<bool(std::string_view)> CleanUpRule(BackupPart part, Date since);

// The keep rule of "データ整理（完全削除）": every record not marked deleted.
bool NotDeleted(std::string_view image);

}  // namespace tankora
