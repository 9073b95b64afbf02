// A program folder the player may not write in (Program Files, for a
// standard user): the options, the games and the error log go to the user's
// own folders, and closing shows nothing.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/system.h"

using namespace ui;

namespace {

std::string Choosers(HWND window) {
  std::string texts;
  for (HWND combo : Children(window, "ComboBox")) texts += Text(combo) + " ";
  return texts;
}

}  // namespace

TEST(ReadOnlyProgramFolder, OptionsGamesAndLogGoToTheUsersOwnFolders) {
  // The installation the test's script made read-only.
  const std::string exe = PathArgument("readonly") + "\\Quiltra\\Quiltra.exe";
  ASSERT_TRUE(Exists(exe)) << "run through standard-user.sh";
  const std::string userFolder = SpecialFolder(CSIDL_APPDATA) + "Quiltra\\";
  const std::string game = SpecialFolder(CSIDL_PERSONAL) + "QuiltraGames\\played.qtg";
  RemoveTree(userFolder);
  DeleteFileA(game.c_str());
  {
    TProcess quiltra(exe);
    HWND window = quiltra.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    PressKey('Z', {VK_CONTROL});  // no game saved yet: an error to log
    HWND dialog = WaitErrorDialog(quiltra);
    ASSERT_NE(dialog, nullptr);
    PressButton(dialog, "&Log");
    EXPECT_TRUE(WaitFor([&] {
      return ReadText(userFolder + "Errors.log").find(ErrorDialogText(dialog)) != std::string::npos;
    }));
    PressButton(dialog, "&Okay");
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    // "Save game" proposes the games folder in the documents: a bare name
    // lands there.
    PressKey('S');
    ASSERT_TRUE(AnswerFileDialog(quiltra, "played.qtg"));
    EXPECT_TRUE(WaitFor([&] { return Exists(game); }));
    ChooseGrid(window, 9, 9);
    SaveScreenshot("read-only-before-close");
    EXPECT_TRUE(CloseQuietly(quiltra, window));
    SaveScreenshot("read-only-after-close");
  }
  TProcess again(exe);
  HWND window = again.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Choosers(window), "9 9 ");
  EXPECT_TRUE(CloseQuietly(again, window));
  RemoveTree(userFolder);
  DeleteFileA(game.c_str());
}
