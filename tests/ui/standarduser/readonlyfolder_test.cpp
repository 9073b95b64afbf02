// A program folder the player may not write in (Program Files, for a
// standard user): the options, the games and the error log go to the user's
// own folders, and closing shows nothing. Runs as a simulated standard user.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/system.h"

using namespace ui;

namespace {

bool CanCreateFileIn(const std::string& folder) {
  HANDLE file = CreateFileA((folder + "probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::vector<std::string> ChooserTexts(HWND window) {
  std::vector<std::string> texts;
  for (HWND combo : Children(window, "ComboBox")) texts.push_back(Text(combo));
  return texts;
}

// Closes the game and watches that nothing shows on the way out.
void CloseQuietly(TProcess& game, HWND window, const std::string& screenshot = "") {
  PostMessageA(window, WM_CLOSE, 0, 0);
  bool sawDialog = false;
  WaitFor([&] {
    if (game.FindWindow("TErrorForm") || game.FindWindow("#32770")) sawDialog = true;
    return !game.Running();
  });
  if (!screenshot.empty()) SaveScreenshot(screenshot);
  EXPECT_FALSE(sawDialog);
  EXPECT_EQ(game.Wait(), 0);
}

}  // namespace

TEST(ReadOnlyProgramFolder, OptionsGamesAndLogGoToTheUsersOwnFolders) {
  // The installation the test's script made read-only.
  const std::string folder = PathArgument("readonly") + "\\Quiltra\\";
  ASSERT_NE(folder, "\\Quiltra\\") << "run through standard-user.sh";
  ASSERT_FALSE(CanCreateFileIn(folder)) << "the program's folder can be written";
  const std::string exe = folder + "Quiltra.exe";
  const std::string userFolder = SpecialFolder(CSIDL_APPDATA) + "Quiltra\\";
  const std::string games = SpecialFolder(CSIDL_PERSONAL) + "QuiltraGames\\";
  DeleteTree(userFolder);
  DeleteFileA((games + "played.qtg").c_str());

  {
    TProcess game(exe);
    HWND window = game.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ChooserTexts(window), (std::vector<std::string>{"7", "7"}));

    // "Log" appends the report to the log in the user's folder.
    PressKey('Z', {VK_CONTROL});  // no game saved yet: no such file
    HWND dialog = WaitErrorDialog(game);
    ASSERT_NE(dialog, nullptr);
    PressButton(dialog, "&Log");
    EXPECT_TRUE(WaitFor([&] {
      return ReadFile(userFolder + "Errors.log").find(ErrorDialogText(dialog)) != std::string::npos;
    }));
    PressButton(dialog, "&Okay");
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));

    // "Save game" proposes the games folder in the documents: a bare name
    // lands there.
    PressKey('S');
    ASSERT_TRUE(AnswerFileDialog(game, "played.qtg"));
    EXPECT_TRUE(WaitFor([&] { return FileExists(games + "played.qtg"); }));

    ChooseGrid(window, 9, 9);
    SaveScreenshot("read-only-before-close");
    CloseQuietly(game, window, "read-only-after-close");
  }
  EXPECT_FALSE(FileExists(folder + "Quiltra.ini"));
  EXPECT_FALSE(FileExists(folder + "Errors.log"));

  TProcess again(exe);
  HWND window = again.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ChooserTexts(window), (std::vector<std::string>{"9", "9"}));
  CloseQuietly(again, window);
  DeleteTree(userFolder);
  DeleteFileA((games + "played.qtg").c_str());
}
