// The screens of the program, each registering its tables once.
#include "customers/customer_screen.h"
#include "shell/screen_def.h"

namespace tankora {

void RegisterAllScreens() {
  static const bool once = [] {
    RegisterScreen(CustomerScreenDef());
    return true;
  }();
  (void)once;
}

}  // namespace tankora
