#pragma once
// The Flip setting: per-user value "Flip" in section "PROFILES", 0 or 1. With Flip 0 the
// keys F1-F4 are in use and D1-D6 are not; Flip 1 swaps them. Portable.
#include "platform/settings_store.h"

namespace tarvolin::mainwnd {

// The stored value; missing, negative or 2 and above read as 0.
int ReadFlip(const SettingsStore& settings);
// Writes the opposite of the stored value and returns it.
int ToggleFlip(SettingsStore& settings);

}  // namespace tarvolin::mainwnd
