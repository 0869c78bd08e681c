// The screens of the program, each registering its tables once.
#include "customers/customer_screen.h"
#include "ledger/ledger_screen.h"
#include "shell/screen_def.h"

namespace tankora {

void RegisterAllScreens() {
  static const bool once = [] {
    RegisterScreen(CustomerScreenDef());
    RegisterScreen(LedgerScreenDef());
    return true;
  }();
  (void)once;
}

void InstallScreenSeams(Session::State& s) {
  InstallLedgerSeams(s);
}

}  // namespace tankora
