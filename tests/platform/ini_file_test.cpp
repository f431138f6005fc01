#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "tests/platform/scratch_folder.h"

namespace tarvolin {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::Utf16LeBytes;
using testing::WriteBytes;
using namespace std::string_view_literals;

std::u16string Lookup(const IniDocument& document, std::u16string_view section,
                      std::u16string_view key) {
  return document.Find(section, key).value_or(u"<missing>");
}

TEST(IniDocument, FollowsTheWindowsLookupRules) {
  const IniDocument document = IniDocument::Parse(
      u"key=before any section\r\n"
      u"[Colours]\r\n"
      u"  Red  =  255  \r\n"
      u"red=second red is never seen\r\n"
      u"Quoted=\"  keeps blanks  \"\r\n"
      u"Single='x'\r\n"
      u"Unpaired=\"half\r\n"
      u"Mixed=\"a'\r\n"
      u"Lone=\"\r\n"
      u"Empty=\r\n"
      u"NoEquals\r\n"
      u"Equals=a=b\r\n"
      u"[colours]\r\n"
      u"Green=the repeated section is never searched\r\n"
      u"[ Spaced ]\r\n"
      u"k=v\r\n");
  EXPECT_EQ(Lookup(document, u"COLOURS", u"RED"), u"255");
  EXPECT_EQ(Lookup(document, u"Colours", u"Quoted"), u"  keeps blanks  ");
  EXPECT_EQ(Lookup(document, u"Colours", u"Single"), u"x");
  EXPECT_EQ(Lookup(document, u"Colours", u"Unpaired"), u"\"half");
  EXPECT_EQ(Lookup(document, u"Colours", u"Mixed"), u"\"a'");
  EXPECT_EQ(Lookup(document, u"Colours", u"Lone"), u"\"");
  EXPECT_EQ(Lookup(document, u"Colours", u"Empty"), u"");
  EXPECT_EQ(Lookup(document, u"Colours", u"NoEquals"), u"<missing>");
  EXPECT_EQ(Lookup(document, u"Colours", u"Equals"), u"a=b");
  EXPECT_EQ(Lookup(document, u"colours", u"Green"), u"<missing>");
  EXPECT_EQ(Lookup(document, u"", u"key"), u"<missing>");
  EXPECT_EQ(Lookup(document, u" Spaced ", u"k"), u"v");
  EXPECT_EQ(Lookup(document, u"Nowhere", u"k"), u"<missing>");
}

TEST(IniDocument, ReadsOddLineEndsAndSkipsGarbage) {
  // CR only, LF only and a mixture, with junk lines, an unclosed section and no final line end.
  const IniDocument cr_only = IniDocument::Parse(u"[A]\rone=1\rtwo=2");
  EXPECT_EQ(Lookup(cr_only, u"A", u"one"), u"1");
  EXPECT_EQ(Lookup(cr_only, u"A", u"two"), u"2");

  const IniDocument messy = IniDocument::Parse(
      u"\uFFFD\u0001garbage\n"
      u"[A]\n"
      u"; a comment = not a value anyone asks for\n"
      u"\t\n"
      u"[unclosed\r\n"
      u"x=1\r"
      u"=no name\n"
      u"\x1A\n"
      u"y = 2");
  EXPECT_EQ(Lookup(messy, u"A", u"x"), u"1");
  EXPECT_EQ(Lookup(messy, u"A", u"y"), u"2");
  EXPECT_EQ(Lookup(messy, u"unclosed", u"x"), u"<missing>");
}

TEST(IniDocument, SetKeepsEverythingElseAndReadsBack) {
  const std::u16string original =
      u"; header comment\r\n"
      u"[A]\r\n"
      u"  Keep = as it was  \r\n"
      u"junk line\r\n"
      u"\r\n"
      u"[B]\r\n"
      u"x=1\r\n";
  IniDocument document = IniDocument::Parse(original);

  ASSERT_TRUE(document.Set(u"a", u"KEEP", u"changed"));
  ASSERT_TRUE(document.Set(u"A", u"added", u" padded "));
  ASSERT_TRUE(document.Set(u"C", u"new", u"\"quoted\""));
  EXPECT_EQ(document.Serialize(),
            u"; header comment\r\n"
            u"[A]\r\n"
            u"  Keep=changed\r\n"
            u"junk line\r\n"
            u"added=\" padded \"\r\n"
            u"\r\n"
            u"[B]\r\n"
            u"x=1\r\n"
            u"\r\n"
            u"[C]\r\n"
            u"new=\"\"quoted\"\"\r\n");
  const IniDocument reread = IniDocument::Parse(document.Serialize());
  EXPECT_EQ(Lookup(reread, u"A", u"Keep"), u"changed");
  EXPECT_EQ(Lookup(reread, u"A", u"added"), u" padded ");
  EXPECT_EQ(Lookup(reread, u"C", u"new"), u"\"quoted\"");

  // Entries a profile file cannot hold are refused and change nothing.
  const std::u16string before = document.Serialize();
  EXPECT_FALSE(document.Set(u"A", u"k", u"two\r\nlines"));
  EXPECT_FALSE(document.Set(u"A", u"a=b", u"v"));
  EXPECT_FALSE(document.Set(u"A", u" k", u"v"));
  EXPECT_FALSE(document.Set(u"A", u"[k]", u"v"));
  EXPECT_FALSE(document.Set(u"A", u"", u"v"));
  EXPECT_FALSE(document.Set(u"", u"k", u"v"));
  EXPECT_FALSE(document.Set(u"A]", u"k", u"v"));
  EXPECT_FALSE(document.Set(u"A", u"k", u"nul\0inside"sv));
  EXPECT_EQ(document.Serialize(), before);
}

TEST(IniDocument, NewLinesFollowTheFilesOwnLineEnds) {
  IniDocument document = IniDocument::Parse(u"[A]\nx=1");
  ASSERT_TRUE(document.Set(u"A", u"y", u"2"));
  ASSERT_TRUE(document.Set(u"B", u"z", u"3"));
  EXPECT_EQ(document.Serialize(), u"[A]\nx=1\ny=2\n\n[B]\nz=3\n");

  IniDocument empty = IniDocument::Parse(u"");
  ASSERT_TRUE(empty.Set(u"S", u"k", u"v"));
  EXPECT_EQ(empty.Serialize(), u"[S]\r\nk=v\r\n");
}

TEST(IniFile, ReadsUtf16AndUtf8FilesAndSeesLaterChanges) {
  ScratchFolder folder;
  const auto utf16 = folder.File("utf16.ini");
  WriteBytes(utf16, "\xFF\xFE" + Utf16LeBytes(u"[CHINESE]\r\nMENU_1=导入\r\n"));
  IniFile utf16_file(utf16);
  EXPECT_EQ(utf16_file.Read(u"chinese", u"menu_1", u" "), u"导入");
  EXPECT_EQ(utf16_file.Read(u"CHINESE", u"MENU_2", u" "), u" ");

  const auto utf8 = folder.File("utf8.ini");
  WriteBytes(utf8, "[CHINESE]\nMENU_1=\xE5\xAF\xBC\xE5\x85\xA5\n");
  IniFile utf8_file(utf8);
  EXPECT_EQ(utf8_file.Read(u"CHINESE", u"MENU_1", u" "), u"导入");

  // Another program edits the file: the next read sees it.
  WriteBytes(utf8, "[CHINESE]\nMENU_1=changed by hand, and longer\n");
  EXPECT_EQ(utf8_file.Read(u"CHINESE", u"MENU_1", u" "), u"changed by hand, and longer");

  IniFile missing(folder.File("missing.ini"));
  EXPECT_EQ(missing.Read(u"A", u"b", u"fallback  "), u"fallback  ");
}

TEST(IniFile, WritesInTheFilesEncodingAndKeepsTheRest) {
  ScratchFolder folder;

  // A new file is UTF-16LE with a mark and CRLF line ends.
  const auto fresh = folder.File("fresh.ini");
  IniFile fresh_file(fresh);
  ASSERT_TRUE(fresh_file.Write(u"PROFILES", u"Flip", u"1"));
  EXPECT_EQ(ReadBytes(fresh), "\xFF\xFE" + Utf16LeBytes(u"[PROFILES]\r\nFlip=1\r\n"));

  // A UTF-8 file stays UTF-8 (no mark added) and its other lines stay byte for byte.
  const auto utf8 = folder.File("utf8.ini");
  WriteBytes(utf8, "junk\n[A]\nx=1\n");
  IniFile utf8_file(utf8);
  ASSERT_TRUE(utf8_file.Write(u"A", u"name", u"宏"));
  EXPECT_EQ(ReadBytes(utf8), "junk\n[A]\nx=1\nname=\xE5\xAE\x8F\n");

  // An ANSI file that must take a Chinese text becomes UTF-16 rather than losing it.
  const auto ansi = folder.File("ansi.ini");
  WriteBytes(ansi, "[A]\nx=caf\xE9\n");
  IniFile ansi_file(ansi);
  ASSERT_TRUE(ansi_file.Write(u"A", u"y", u"plain"));
  EXPECT_EQ(ReadBytes(ansi), "[A]\nx=caf\xE9\ny=plain\n");
  ASSERT_TRUE(ansi_file.Write(u"A", u"z", u"宏"));
  EXPECT_EQ(ReadBytes(ansi), "\xFF\xFE" + Utf16LeBytes(u"[A]\nx=caf\u00E9\ny=plain\nz=宏\n"));

  // A refused entry leaves the file alone.
  EXPECT_FALSE(ansi_file.Write(u"A", u"z", u"line\nbreak"));
  EXPECT_EQ(IniFile(ansi).Read(u"A", u"z", u""), u"宏");
  EXPECT_FALSE(std::filesystem::exists(folder.File("ansi.ini.new")));
}

TEST(IniFile, AWriteThatCannotHappenReportsFailure) {
  ScratchFolder folder;
  // The path is a folder: it can be neither read nor replaced.
  std::filesystem::create_directory(folder.File("taken.ini"));
  IniFile taken(folder.File("taken.ini"));
  EXPECT_EQ(taken.Read(u"A", u"b", u"fb"), u"fb");
  EXPECT_FALSE(taken.Write(u"A", u"b", u"c"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.ini")));

  IniFile no_folder(folder.File("no such folder/file.ini"));
  EXPECT_FALSE(no_folder.Write(u"A", u"b", u"c"));
}

}  // namespace
}  // namespace tarvolin
