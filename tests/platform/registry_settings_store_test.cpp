#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace tarvolin::win32 {
namespace {

// Each run uses a program name of its own and removes it afterwards.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  RegistrySettingsStoreTest()
      : program_(u"settings-test-" + FromWide(std::to_wstring(GetCurrentProcessId()))),
        store_(program_) {}
  ~RegistrySettingsStoreTest() override {
    const std::wstring key = L"Software\\" + ToWide(kSettingsKeyName) + L"\\" + ToWide(program_);
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  }

  // The raw value as Windows holds it: its type and data.
  DWORD RawType(std::u16string_view section, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    RegGetValueW(HKEY_CURRENT_USER, store_.SectionKeyPath(section).c_str(), name,
                 RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size);
    return type;
  }

  std::u16string program_;
  RegistrySettingsStore store_;
};

TEST_F(RegistrySettingsStoreTest, ValuesLiveUnderTheProgramsKeyAsStrings) {
  EXPECT_EQ(store_.SectionKeyPath(u"PROFILES"),
            L"Software\\Tarvolin_Pelmora\\" + ToWide(program_) + L"\\PROFILES");
  EXPECT_EQ(store_.ReadInt(u"PROFILES", u"Flip"), std::nullopt);

  ASSERT_TRUE(store_.WriteInt(u"PROFILES", u"Flip", 1));
  EXPECT_EQ(RawType(u"PROFILES", L"Flip"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"Flip"), u"1");
  EXPECT_EQ(store_.ReadInt(u"profiles", u"FLIP"), 1);

  ASSERT_TRUE(store_.WriteInt(u"PROFILES", u"PROFILE00", -5));
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"PROFILE00"), u"-5");

  const std::u16string path = u"C:\\Users\\玩家\\Documents\\Tarvolin\\新建配置.tvc";
  ASSERT_TRUE(store_.WriteString(u"PROFILES", u"PROFILE01", path));
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"PROFILE01"), path);
  EXPECT_EQ(store_.ReadInt(u"PROFILES", u"PROFILE01"), std::nullopt);

  ASSERT_TRUE(store_.WriteString(u"PROFILES", u"Empty", u""));
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"Empty"), u"");

  const std::u16string long_text(5000, u'x');
  ASSERT_TRUE(store_.WriteString(u"PROFILES", u"Long", long_text));
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"Long"), long_text);
}

TEST_F(RegistrySettingsStoreTest, ReadsValuesOthersLeftInOtherForms) {
  ASSERT_TRUE(store_.WriteString(u"PROFILES", u"seed", u"x"));  // creates the key
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, store_.SectionKeyPath(u"PROFILES").c_str(), 0,
                          KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const DWORD number = 7;
  RegSetValueExW(key, L"Dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  // A string stored without its terminator.
  const wchar_t unterminated[] = {L'4', L'2'};
  RegSetValueExW(key, L"NoTerminator", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                 sizeof unterminated);
  const unsigned char blob[] = {1, 2, 3};
  RegSetValueExW(key, L"Binary", 0, REG_BINARY, blob, sizeof blob);
  RegCloseKey(key);

  EXPECT_EQ(store_.ReadInt(u"PROFILES", u"Dword"), 7);
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"Dword"), u"7");
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"NoTerminator"), u"42");
  EXPECT_EQ(store_.ReadInt(u"PROFILES", u"NoTerminator"), 42);
  EXPECT_EQ(store_.ReadString(u"PROFILES", u"Binary"), std::nullopt);
}

TEST_F(RegistrySettingsStoreTest, RefusesSectionsThatAreNotOneKey) {
  EXPECT_FALSE(store_.WriteInt(u"", u"x", 1));
  EXPECT_FALSE(store_.WriteInt(u"A\\B", u"x", 1));
  EXPECT_EQ(store_.ReadInt(u"A\\B", u"x"), std::nullopt);
  HKEY key = nullptr;
  EXPECT_NE(
      RegOpenKeyExW(HKEY_CURRENT_USER, store_.SectionKeyPath(u"A").c_str(), 0, KEY_READ, &key),
      ERROR_SUCCESS);
}

}  // namespace
}  // namespace tarvolin::win32
