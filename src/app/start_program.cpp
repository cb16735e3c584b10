#include "app/start_program.h"

#include "app/control_ids.h"
#include "app/floating_point_environment.h"
#include "ui/window_services.h"

namespace quorvel {

int StartProgram() {
  WindowServices& services = Services();
  services.PrepareProgram();
  ResetFloatingPointEnvironment();
  InitRoutine();
  services.RegisterExitRoutine(ExitRoutine);
  services.LoadWindow(kMainWindowId);
  services.RunMessageLoop();
  return 0;
}

void InitRoutine() {}

void ExitRoutine() {}

}  // namespace quorvel
