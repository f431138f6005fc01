#pragma once
#include "platform/ini_store.h"

// The per-user lighting settings in wskb.ini of the per-user data folder.

namespace tarvolin::lighting {

inline constexpr char16_t kUserSettingsFileName[] = u"wskb.ini";

// Lighting mode ("DengCheck"); a missing value is off.
bool ReadLightingMode(const IniStore& user_settings);
bool WriteLightingMode(IniStore& user_settings, bool on);

// Whether the user-mode files were created ("usermodeCheck").
bool ReadUserModeFilesCreated(const IniStore& user_settings);
bool WriteUserModeFilesCreated(IniStore& user_settings);

// A flag value as the settings file holds it: leading blanks, then a decimal number; 1 is
// set, anything else (missing, empty, text, other numbers) is not.
bool IsFlagSet(std::u16string_view value);

}  // namespace tarvolin::lighting
