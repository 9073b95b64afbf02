#include <gtest/gtest.h>

#include "core/commandline.h"
#include "core/pathtext.h"

TEST(PathText, Delimiters) {
  EXPECT_EQ(AddPathDelimiter(""), "");
  EXPECT_EQ(AddPathDelimiter("C:\\Games"), "C:\\Games\\");
  EXPECT_EQ(AddPathDelimiter("C:\\Games\\"), "C:\\Games\\");
  EXPECT_EQ(RemovePathDelimiter("C:\\Games\\"), "C:\\Games");
}

TEST(PathText, DirectoryAndName) {
  EXPECT_EQ(GetFileDirectory("C:"), "");
  EXPECT_EQ(GetFileNameOnly("C:"), "C:");
  EXPECT_TRUE(IsDriveOnly("C:"));
  EXPECT_FALSE(IsDriveOnly("C"));
  EXPECT_EQ(GetFileDirectory("C:\\Pictures\\cat.jpg"), "C:\\Pictures\\");
  EXPECT_EQ(GetFileNameOnly("C:\\Pictures\\cat.jpg"), "cat.jpg");
  EXPECT_EQ(GetFileDirectory("C:cat.jpg"), "C:");
  EXPECT_EQ(GetFileNameOnly("C:cat.jpg"), "cat.jpg");
  EXPECT_EQ(GetFileDirectory("cat.jpg"), "");
  EXPECT_EQ(GetFileNameOnly("C:\\Pictures\\"), "");
  EXPECT_EQ(GetFileDirectory(""), "");
  EXPECT_EQ(GetFileNameOnly(""), "");
}

TEST(PathText, Extensions) {
  EXPECT_EQ(GetFileExtension("C:\\a.b\\game.QTG"), ".QTG");
  EXPECT_EQ(GetFileExtension("C:\\a.b\\game"), "");
  EXPECT_EQ(ChangeFileExtension("C:\\p\\cat.jpg", ".qtg"), "C:\\p\\cat.qtg");
  EXPECT_EQ(ChangeFileExtension("C:\\p.x\\cat", ".qtg"), "C:\\p.x\\cat.qtg");
  EXPECT_TRUE(IsLinkFile("C:\\x\\Game.LNK"));
  EXPECT_TRUE(IsLinkFile("prog.PIF"));
  EXPECT_FALSE(IsLinkFile("C:\\x.lnk\\game.exe"));
  EXPECT_TRUE(SameTextAscii("Install.EXE", "install.exe"));
  EXPECT_FALSE(SameTextAscii("Install.exe", "Install.ex"));
}

TEST(CommandLine, SplitsAtBlanksAndGroupsQuotes) {
  using Parameters = std::vector<std::string>;
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Quiltra\\Quiltra.exe\" /Uninstall"),
            (Parameters{"C:\\Program Files\\Quiltra\\Quiltra.exe", "/Uninstall"}));
  EXPECT_EQ(SplitCommandLine("  a   b\t c  "), (Parameters{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("x\"y z\"w"), (Parameters{"xy zw"}));
  EXPECT_EQ(SplitCommandLine(""), Parameters{});
}

TEST(PathText, ASecondByteEqualToABackslashIsNoDelimiter) {
  // Shift JIS: "\x83\x5c" is one katakana letter whose second byte is "\".
  SetLeadByteTest([](unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  });
  const std::string folder = "C:\\\x83\x5c\x83\x74\x83\x67";  // C:\ソフト
  const std::string letter = "C:\\\x83\x5c";                  // C:\ソ
  EXPECT_EQ(GetFileDirectory(folder + "\\a.qtg"), folder + "\\");
  EXPECT_EQ(GetFileNameOnly(folder + "\\a.qtg"), "a.qtg");
  EXPECT_EQ(GetFileNameOnly(letter), "\x83\x5c");
  EXPECT_EQ(GetFileDirectory(letter), "C:\\");
  EXPECT_EQ(AddPathDelimiter(letter), letter + "\\");
  EXPECT_EQ(RemovePathDelimiter(letter), letter);
  EXPECT_EQ(RemovePathDelimiter(letter + "\\"), letter);
  EXPECT_EQ(ChangeFileExtension(letter + "\\b.jpg", ".qtg"), letter + "\\b.qtg");
  SetLeadByteTest(nullptr);
  // Single-byte code pages: the same bytes are two characters.
  EXPECT_EQ(GetFileNameOnly(letter), "");
}
