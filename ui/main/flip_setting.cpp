#include "ui/main/flip_setting.h"

namespace tarvolin::mainwnd {

int ReadFlip(const SettingsStore& settings) {
  const auto value = settings.ReadInt(u"PROFILES", u"Flip");
  return value.has_value() && *value == 1 ? 1 : 0;
}

int ToggleFlip(SettingsStore& settings) {
  const int flipped = ReadFlip(settings) == 1 ? 0 : 1;
  settings.WriteInt(u"PROFILES", u"Flip", flipped);
  return flipped;
}

}  // namespace tarvolin::mainwnd
