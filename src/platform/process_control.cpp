#include "platform/process_control.h"

#include <cstdio>
#include <cstdlib>

void SystemProcessControl::halt(int exitCode) {
  // Settings are on disk already (every write is synced); skip the window
  // teardown that a normal exit would run from inside a window's creation.
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
