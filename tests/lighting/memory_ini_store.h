#pragma once
#include "platform/memory_ini_store.h"

namespace tarvolin::lighting::testing {

using ::tarvolin::MemoryIniStore;

}  // namespace tarvolin::lighting::testing
