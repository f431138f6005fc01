#include "lighting/user_settings.h"

namespace tarvolin::lighting {
namespace {

constexpr char16_t kSection[] = u"KEYCOLOR";
constexpr char16_t kLightingModeKey[] = u"DengCheck";
constexpr char16_t kUserModeFilesKey[] = u"usermodeCheck";

}  // namespace

bool IsFlagSet(std::u16string_view value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == u' ' || value[i] == u'\t')) ++i;
  if (i < value.size() && value[i] == u'+') ++i;
  long number = 0;
  bool any_digit = false;
  for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
    any_digit = true;
    number = number * 10 + (value[i] - u'0');
    if (number > 1) return false;
  }
  return any_digit && number == 1;
}

bool ReadLightingMode(const IniStore& user_settings) {
  return IsFlagSet(user_settings.Read(kSection, kLightingModeKey, u"0"));
}

bool WriteLightingMode(IniStore& user_settings, bool on) {
  return user_settings.Write(kSection, kLightingModeKey, on ? u"1" : u"0");
}

bool ReadUserModeFilesCreated(const IniStore& user_settings) {
  return IsFlagSet(user_settings.Read(kSection, kUserModeFilesKey, u"0"));
}

bool WriteUserModeFilesCreated(IniStore& user_settings) {
  return user_settings.Write(kSection, kUserModeFilesKey, u"1");
}

}  // namespace tarvolin::lighting
