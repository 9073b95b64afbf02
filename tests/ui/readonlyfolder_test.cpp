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
  const std::string probe = folder + "probe.tmp";
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The folder read-only for the scope, writable again for its removal.
class TReadOnlyFolder {
 public:
  explicit TReadOnlyFolder(const std::string& path) : path_(path.begin(), path.end()) {
    SetUnixMode(path_, "555");
    readOnly_ = WaitFor([&] { return !CanCreateFileIn(path); });
  }
  ~TReadOnlyFolder() { SetUnixMode(path_, "755"); }
  bool ReadOnly() const { return readOnly_; }

 private:
  std::wstring path_;
  bool readOnly_ = false;
};

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
  TTempDir folder;
  const std::string exe = InstallGame(folder);
  // Settings shipped next to the program carry over the first time.
  const std::string shipped = "[QuiltraGame]\r\nRowsCount=9\r\n";
  WriteFile(folder.File("Quiltra.ini"), shipped);
  const std::string userFolder = SpecialFolder(CSIDL_APPDATA) + "Quiltra\\";
  const std::string games = SpecialFolder(CSIDL_PERSONAL) + "QuiltraGames\\";
  DeleteFileA((userFolder + "Quiltra.ini").c_str());
  DeleteFileA((userFolder + "Errors.log").c_str());
  DeleteFileA((games + "played.qtg").c_str());
  TReadOnlyFolder readOnly(folder.Path());
  ASSERT_TRUE(readOnly.ReadOnly()) << "not run as a simulated standard user";

  {
    TProcess game(exe);
    HWND window = game.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ChooserTexts(window), (std::vector<std::string>{"7", "9"}));

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
  EXPECT_EQ(ReadFile(folder.File("Quiltra.ini")), shipped);
  EXPECT_FALSE(FileExists(folder.File("Errors.log")));

  TProcess again(exe);
  HWND window = again.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ChooserTexts(window), (std::vector<std::string>{"9", "9"}));
  CloseQuietly(again, window);
}
