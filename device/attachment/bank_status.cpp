#include "device/attachment/bank_status.h"

namespace tarvolin::attachment {

BankStatus& TheBankStatus() {
  static BankStatus status;
  return status;
}

}  // namespace tarvolin::attachment
