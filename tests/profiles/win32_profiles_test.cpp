#include <gtest/gtest.h>

#include "platform/win32/registry_settings_store.h"
#include "profiles/profile_settings.h"
#include "profiles/win32/documents_folder.h"
#include "profiles/win32/profile_file_dialog.h"

namespace tarvolin::profiles::win32 {
namespace {

TEST(ProfileFileDialogTest, OpenAndSaveCarryTheFilterExtensionFlagsAndInitialName) {
  const std::wstring filter(L"(*.tvc)\0*.tvc\0(*.*)\0*.*\0\0", 25);

  FileDialogSetup open(nullptr, OpenProfileRequest());
  const OPENFILENAMEW& o = open.Get();
  EXPECT_EQ(o.lStructSize, sizeof(OPENFILENAMEW));
  EXPECT_EQ(std::wstring(o.lpstrFilter, 25), filter);
  EXPECT_EQ(std::wstring(o.lpstrDefExt), L"tvc");
  EXPECT_EQ(open.FileName(), L"*.tvc");
  EXPECT_EQ(o.nMaxFile, FileDialogSetup::kFileBufferLength);
  EXPECT_EQ(o.nFilterIndex, 1u);
  EXPECT_EQ(o.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), DWORD{OFN_HIDEREADONLY});

  // The profile manager's Add proposes a name in the data folder.
  const std::u16string proposed = u"C:\\Users\\me\\Documents\\Tarvolin\\The new contextual  mode";
  FileDialogSetup save(nullptr, SaveProfileRequest(proposed));
  const OPENFILENAMEW& s = save.Get();
  EXPECT_EQ(std::wstring(s.lpstrFilter, 25), filter);
  EXPECT_EQ(s.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
            DWORD{OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT});
  EXPECT_EQ(save.FileName(), L"C:\\Users\\me\\Documents\\Tarvolin\\The new contextual  mode");

  // An initial name longer than the buffer is cut, never overrun.
  FileDialogSetup long_name(nullptr, OpenProfileRequest(std::u16string(40000, u'x')));
  EXPECT_EQ(long_name.FileName().size(), FileDialogSetup::kFileBufferLength - 1);
}

TEST(DocumentsFolderTest, TheShellNamesAnExistingFolder) {
  const auto folder = DocumentsFolder();
  ASSERT_TRUE(folder.has_value());
  EXPECT_TRUE(folder->is_absolute());
  std::error_code error;
  EXPECT_TRUE(std::filesystem::is_directory(*folder, error)) << folder->string();
}

// The values land where the program keeps them: HKCU\Software\Tarvolin_Pelmora\<program>\PROFILES,
// all as strings.
TEST(ProfileSettingsRegistryTest, ValuesAreStringsUnderTheProgramsProfilesKey) {
  const std::wstring program_key = L"Software\\Tarvolin_Pelmora\\TarvolinProfilesTest";
  RegDeleteTreeW(HKEY_CURRENT_USER, program_key.c_str());
  {
    tarvolin::win32::RegistrySettingsStore store(u"TarvolinProfilesTest");
    ProfileSettings settings(store);
    ASSERT_TRUE(settings.SetFlip(1));
    ASSERT_TRUE(settings.SetRecordDelay(5));  // anything but 1 is stored as 0
    const std::vector<std::u16string> rows = {u"C:\\P\\a.tvc"};
    ASSERT_TRUE(settings.WriteProfileRows(rows));
    EXPECT_EQ(settings.Flip(), 1);
  }
  auto read = [&](const wchar_t* name) {
    wchar_t value[64] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, (program_key + L"\\PROFILES").c_str(),
                                        name, RRF_RT_ANY, &type, value, &size);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(value) : std::wstring(L"?");
  };
  EXPECT_EQ(read(L"Flip"), L"1");
  EXPECT_EQ(read(L"RecordDelay"), L"0");
  EXPECT_EQ(read(L"PROFILE00"), L"1");
  EXPECT_EQ(read(L"PROFILE01"), L"C:\\P\\a.tvc");
  RegDeleteTreeW(HKEY_CURRENT_USER, program_key.c_str());
}

}  // namespace
}  // namespace tarvolin::profiles::win32
