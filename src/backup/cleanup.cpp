#include "backup/cleanup.h"

#include <algorithm>


namespace tankora {

namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// A stored number field ("%4d", " 7") as its value, or -1 when it holds
// anything but blanks around digits.
int StoredNumber(std::string_view field) {
  std::size_t a = field.find_first_not_of(' ');
  if (a == std::string_view::npos) return -1;
  const std::size_t b = field.find_last_not_of(' ');
  if (b - a + 1 > 4) return -1;
  int v = 0;
  for (const char c : field.substr(a, b - a + 1)) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

int ClampKeepYears(int years) { return std::clamp(years, kMinKeepYears, kMaxKeepYears); }

Date KeepSince(Date today, int years) {
  Date since{today.year - years, today.month, today.day};
  if (since.month == 2 && since.day == 29 && !IsLeapYear(since.year)) since.day = 28;
  return since;
}

bool SlipOlderThan(std::string_view slipImage, Date since) {
  const RecordLayout& layout = TenkenDenpLayout();
  auto field = [&](int f) { return slipImage.substr(layout.Offset(f), layout.Width(f)); };
  const Date date{StoredNumber(field(TenkenDenp::Year)), StoredNumber(field(TenkenDenp::Month)),
                  StoredNumber(field(TenkenDenp::Day))};
  if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) {
    return false;
  }
  return date < since;
}

bool NotDeleted(std::string_view image) { return image.empty() || image[0] != '1'; }

std::function<bool(std::string_view)> CleanUpRule(BackupPart part, Date since) {
  switch (part) {
    case BackupPart::Kokyaku:
    case BackupPart::Kouji:
      return NotDeleted;
    case BackupPart::TenkenDenp:
      return [since](std::string_view image) {
        return NotDeleted(image) && !SlipOlderThan(image, since);
      };
    case BackupPart::Jisya:
      break;
  }
  return {};
}

}  // namespace tankora
