// Names the system's ANSI code page cannot hold, and double-byte names whose
// second byte is a backslash: the game finds its own files, loads a picture,
// saves a game and gets it back after a restart.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

std::wstring Wide(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A copy of the game in a folder named in UTF-16 (ending with a backslash).
std::wstring InstallGameIn(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring exe = folder + L"Quiltra.exe";
  return CopyFileW(Wide(QuiltraExe()).c_str(), exe.c_str(), FALSE) ? exe : L"";
}

}  // namespace

TEST(Names, OutsideTheWesternCodePageTheGameLoadsSavesAndRestarts) {
  TTempDir base;
  CreateDirectoryW((Wide(base.Path()) + L"\u0141ukasz").c_str(), nullptr);
  const std::wstring folder = Wide(base.Path()) + L"\u0141ukasz\\Quiltra\\";  // Łukasz
  const std::wstring exe = InstallGameIn(folder);
  ASSERT_FALSE(exe.empty());
  // Żółw.jpg; the decoder goes by the content.
  const std::wstring picture = folder + L"\u017b\u00f3\u0142w.jpg";
  ASSERT_TRUE(testpicture::WriteGridPicture(base.File("cells.bmp"), 7, 7, 20, 20));
  ASSERT_TRUE(CopyFileW(Wide(base.File("cells.bmp")).c_str(), picture.c_str(), FALSE));
  const std::wstring game = folder + L"QuiltraGames\\game.qtg";
  for (int run = 0; run < 2; ++run) {
    TProcess quiltra(exe, L"LANG", L"C.UTF-8");  // code page 1252
    HWND window = quiltra.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    if (run == 0) {
      PressKey(VK_F5);
      ASSERT_TRUE(AnswerFileDialog(quiltra, picture));
      ASSERT_TRUE(WaitFor([&] { return PuzzleView(window) != nullptr; }));
      PressKey('S');
      ASSERT_TRUE(AnswerFileDialog(quiltra, game));
      ASSERT_TRUE(WaitFor([&] { return Exists(game); }));
    } else {
      PressKey('Z', {VK_CONTROL});  // the last game, and its picture with it
      EXPECT_TRUE(WaitFor([&] { return PuzzleView(window) != nullptr; }));
    }
    EXPECT_TRUE(CloseQuietly(quiltra, window));
    EXPECT_TRUE(Exists(folder + L"Quiltra.ini"));
  }
}

TEST(Names, AJapaneseFolderWhoseSecondByteIsABackslashHoldsTheOptions) {
  TTempDir base;
  // "ソフト": in code page 932 the first letter is 0x83 0x5C.
  const std::wstring folder = Wide(base.Path()) + L"\u30bd\u30d5\u30c8\\";
  const std::wstring exe = InstallGameIn(folder);
  ASSERT_FALSE(exe.empty());
  for (const char* expected : {"7", "9"}) {
    TProcess quiltra(exe, L"LANG", L"ja_JP.UTF-8");
    HWND window = quiltra.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Exists(folder + L"QuiltraGames"));
    for (HWND combo : Children(window, "ComboBox")) EXPECT_EQ(Text(combo), expected);
    ChooseGrid(window, 9, 9);
    EXPECT_TRUE(CloseQuietly(quiltra, window));
  }
  EXPECT_TRUE(Exists(folder + L"Quiltra.ini"));
}
