#pragma once
// Things of the user's session that outlive or surround the program: named mutexes and the
// documents folder where the program keeps its files.
#include <string>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// present = 1 while a mutex of that name exists.
Fields MutexState(const std::wstring& name);

// path = the documents folder as Windows names it; unix = the same on the host under Wine.
Fields DocumentsFolder();

}  // namespace tarvolin::tdriver
