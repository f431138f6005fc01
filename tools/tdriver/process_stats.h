#pragma once
// Resource use of a running process as seen from outside: memory, GDI and USER objects,
// CPU time, threads and kernel handles.
#include <windows.h>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// working_set, peak_working_set, private_bytes (bytes), gdi, user (objects) with gdi_source /
// user_source saying how they were counted, cpu_ms (kernel + user), threads, handles.
// GetGuiResources answers on Windows. Wine does not implement it, so there the GDI count is
// read from the process's own GDI handle table (the PEB points to it) and the USER count is
// the number of windows the process owns (top-level, child and message-only); it answers
// GetProcessHandleCount with 0, so handles then come from the system's handle list
// (handles_source says which).
Fields ProcessStats(DWORD processId);

}  // namespace tarvolin::tdriver
