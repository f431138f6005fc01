#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tarvolin::profiles::win32
