#include "platform/win32/win32_ini_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/ini_file.h"
#include "tests/platform/scratch_folder.h"

namespace tarvolin::win32 {
namespace {

using tarvolin::testing::ReadBytes;
using tarvolin::testing::ScratchFolder;
using tarvolin::testing::Utf16LeBytes;
using tarvolin::testing::WriteBytes;

std::u16string PathText(const std::filesystem::path& path) {
  return path.u16string();
}

TEST(Win32IniStore, ReadsAndWritesUnicodeFiles) {
  ScratchFolder folder;
  const auto path = folder.File("user.ini");
  Win32IniStore store(PathText(path));

  EXPECT_EQ(store.Read(u"PROFILES", u"Flip", u" "), u" ");
  EXPECT_EQ(store.Read(u"PROFILES", u"Flip", u"fallback  "), u"fallback  ");

  ASSERT_TRUE(store.Write(u"CHINESE", u"MENU_1", u"导入配置"));
  ASSERT_TRUE(store.Write(u"CHINESE", u"PADDED", u"  blanks kept  "));
  EXPECT_EQ(store.Read(u"chinese", u"menu_1", u" "), u"导入配置");
  EXPECT_EQ(store.Read(u"CHINESE", u"PADDED", u" "), u"  blanks kept  ");

  // The file was created as UTF-16LE with a mark, so the Chinese text is stored as such.
  const std::string bytes = ReadBytes(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(bytes.find(Utf16LeBytes(u"MENU_1=导入配置")), std::string::npos);
  // And the portable reader agrees with what Windows wrote.
  EXPECT_EQ(IniFile(path).Read(u"CHINESE", u"PADDED", u" "), u"  blanks kept  ");

  EXPECT_FALSE(store.Write(u"CHINESE", u"BROKEN", u"two\r\nlines"));
  EXPECT_EQ(store.Read(u"CHINESE", u"BROKEN", u"none"), u"none");
}

TEST(Win32IniStore, LongValuesComeBackWhole) {
  ScratchFolder folder;
  const auto path = folder.File("long.ini");
  Win32IniStore store(PathText(path));
  const std::u16string long_value(3000, u'宏');
  ASSERT_TRUE(store.Write(u"A", u"long", long_value));
  EXPECT_EQ(store.Read(u"A", u"long", u""), long_value);
}

TEST(Win32IniStore, RelativePathsAreMadeAbsolute) {
  ScratchFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  Win32IniStore store(u"relative.ini");
  const bool written = store.Write(u"A", u"b", u"c");
  std::filesystem::current_path(previous);
  ASSERT_TRUE(written);
  EXPECT_TRUE(std::filesystem::exists(folder.File("relative.ini")));
  EXPECT_EQ(IniFile(folder.File("relative.ini")).Read(u"A", u"b", u""), u"c");
}

// The portable reader must see what Windows sees, on clean files and on odd ones.
TEST(Win32IniStore, PortableReaderAgreesWithWindows) {
  const std::vector<std::pair<const char*, std::string>> files = {
      {"utf16-crlf", "\xFF\xFE" + Utf16LeBytes(u"[A]\r\nx=宏 1\r\nY = 2 \r\n[B]\r\nz=3\r\n")},
      {"utf16-cr-only", "\xFF\xFE" + Utf16LeBytes(u"[A]\rx=1\rY=2\r[B]\rz=3")},
      {"utf16-lf-only", "\xFF\xFE" + Utf16LeBytes(u"[A]\nx=1\nY=2\n[B]\nz=3\n")},
      {"ascii-no-bom", "[A]\r\nx=1\r\n  y  =  two words  \r\n[B]\r\nz=3\r\n"},
      {"repeated-section", "[A]\r\nx=first\r\n[B]\r\nz=3\r\n[a]\r\nx=second\r\nY=later\r\n"},
      {"repeated-key", "[A]\r\nX=first\r\nx=second\r\n"},
      {"quotes", "[A]\r\nx=\"  q  \"\r\ny='s'\r\nz=\"half\r\n"},
      {"garbage",
       "\x01\x02 junk\r\n[A]\r\nno equals here\r\n[broken\r\nx=1\r\n=nameless\r\n"
       "y=\r\n[B]\r\nz=3\r\n"},
      {"empty", ""},
  };
  const std::vector<std::pair<std::u16string, std::u16string>> queries = {{u"A", u"x"},
                                                                          {u"a", u"Y"},
                                                                          {u"A", u"y"},
                                                                          {u"B", u"z"},
                                                                          {u"A", u"z"},
                                                                          {u"broken", u"x"},
                                                                          {u"A", u"no equals here"},
                                                                          {u"C", u"x"}};
  ScratchFolder folder;
  for (const auto& [name, bytes] : files) {
    const auto path = folder.File(std::string(name) + ".ini");
    WriteBytes(path, bytes);
    const Win32IniStore windows(PathText(path));
    const IniFile portable(path);
    for (const auto& [section, key] : queries) {
      SCOPED_TRACE(std::string(name) + ": [" + std::string(section.begin(), section.end()) + "] " +
                   std::string(key.begin(), key.end()));
      EXPECT_EQ(portable.Read(section, key, u"<fb>"), windows.Read(section, key, u"<fb>"));
    }
  }
  // Both really read the files (a comparison of two fallbacks would prove nothing).
  const auto windows_read = [&](const char* name, std::u16string_view section,
                                std::u16string_view key) {
    return Win32IniStore(PathText(folder.File(std::string(name) + ".ini")))
        .Read(section, key, u"<fb>");
  };
  EXPECT_EQ(windows_read("utf16-crlf", u"A", u"x"), u"宏 1");
  EXPECT_EQ(windows_read("utf16-cr-only", u"B", u"z"), u"3");
  EXPECT_EQ(windows_read("ascii-no-bom", u"A", u"y"), u"two words");
  EXPECT_EQ(windows_read("repeated-section", u"A", u"x"), u"first");
  EXPECT_EQ(windows_read("repeated-section", u"A", u"Y"), u"<fb>");
  EXPECT_EQ(windows_read("repeated-key", u"A", u"x"), u"first");
  EXPECT_EQ(windows_read("quotes", u"A", u"x"), u"  q  ");
  EXPECT_EQ(windows_read("garbage", u"A", u"y"), u"");
  EXPECT_EQ(windows_read("garbage", u"A", u"x"), u"1");
}

}  // namespace
}  // namespace tarvolin::win32
