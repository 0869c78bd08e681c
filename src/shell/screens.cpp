// The screens of the program, each registering its tables once.
#include "backup/backup_screen.h"
#include "customers/customer_screen.h"
#include "inspection/slip_screen.h"
#include "inspection/tenken_list_screen.h"
#include "ledger/keiyaku_list_screen.h"
#include "ledger/ledger_screen.h"
#include "shell/screen_def.h"

namespace tankora {

void RegisterAllScreens() {
  static const bool once = [] {
    RegisterScreen(CustomerScreenDef());
    RegisterScreen(SlipScreenDef());
    RegisterScreen(LedgerScreenDef());
    RegisterScreen(BackupScreenDef());
    RegisterScreen(TenkenListScreenDef());
    RegisterScreen(KeiyakuListScreenDef());
    return true;
  }();
  (void)once;
}

void InstallScreenSeams(Session::State& s) {
  InstallCustomerSeams(s);
  InstallLedgerSeams(s);
  InstallSlipSeams(s);
  InstallBackupSeams(s);
  InstallTenkenListSeams(s);
  InstallKeiyakuListSeams(s);
}

}  // namespace tankora
