#include "tools/tarvolinctl/ctl_command.h"

namespace tarvolin::ctl {

// One exit code per device result, so scripts can tell the failures apart.
int ExitCodeOf(int result) {
  switch (result) {
    case 1:
      return kExitOk;
    case 0:
      return kExitNoKeyboard;
    case -1:
      return kExitWriteRefused;
    case -2:
      return kExitNoReply;
    case -102:
      return kExitRefused;
    case -103:
      return kExitBusy;
    case -201:
      return kExitBadBlock;
    default:
      return kExitFailure;
  }
}

}  // namespace tarvolin::ctl
