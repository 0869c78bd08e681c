// Readings outside the usual acceptance criteria of treated effluent. They
// are only marked: the readings are free text, the office may have its own
// reasons, and a slip is never refused for what was measured.
#include <cstdlib>
#include <optional>
#include <string>

#include "inspection/slip_screen.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

// The text as a plain decimal number ("7", "7.2", ".5"), or nothing for
// anything else ("", "-", "無", "7.2.1").
std::optional<double> NumberOf(std::string_view text) {
  const std::string t = TrimBlanks(text);
  int digits = 0;
  int points = 0;
  for (const char c : t) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || points > 1) return std::nullopt;
  return std::strtod(t.c_str(), nullptr);
}

constexpr double kPhLow = 5.8;
constexpr double kPhHigh = 8.6;
constexpr double kTousidoGappei = 20;
constexpr double kTousidoTandoku = 7;

}  // namespace

TankKind TankKindOf(const Record& kokyaku) {
  // A customer marked as both is judged by the stricter limit.
  if (kokyaku.FlagAt(Kokyaku::Gappei)) return TankKind::Gappei;
  if (kokyaku.FlagAt(Kokyaku::Tandoku)) return TankKind::Tandoku;
  return TankKind::Unknown;
}

bool PhOutOfRange(std::string_view ph) {
  const std::optional<double> v = NumberOf(ph);
  return v && (*v < kPhLow || *v > kPhHigh);
}

bool TousidoLow(std::string_view tousido, TankKind tank) {
  if (tank == TankKind::Unknown) return false;
  const std::optional<double> v = NumberOf(tousido);
  return v && *v < (tank == TankKind::Gappei ? kTousidoGappei : kTousidoTandoku);
}

void TenkenMarkEntry(Session::State& s) {
  s.view.SetAlert("Edit_Panel_Tenken_Ph", PhOutOfRange(s.tenken.Get(TenkenDenp::Ph)));
  s.view.SetAlert("Edit_Panel_Tenken_Tousido",
                  TousidoLow(s.tenken.Get(TenkenDenp::Tousido), TankKindOf(s.kokyaku)));
}

}  // namespace tankora
