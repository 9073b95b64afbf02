// One game at a time: a second start ends at once without a window, and a
// new game can start once the first has closed. A file given on the command
// line opens; a second start hands its file to the running game.
#include <gtest/gtest.h>

#include "core/gamefile.h"
#include "core/storedtext.h"
#include "support/driver.h"
#include "support/game.h"
#include "tests/support/boards.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

bool InstanceMutexExists() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Mutex_ProgramInstance_Quiltra");
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

// Runs the executable to its end, watching that it never shows a window.
void ExpectSilentEnd(const std::string& exe) {
  TProcess second(exe);
  bool sawWindow = false;
  WaitFor([&] {
    if (second.FindWindow("")) sawWindow = true;
    return !second.Running();
  });
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(second.Wait(), 0);
}

}  // namespace

TEST(Instance, ASecondGameEndsSilentlyAndANewOneStartsAfterTheFirstCloses) {
  TTempDir folder;
  TTempDir otherFolder;
  const std::string exe = InstallGame(folder);
  const std::string otherExe = InstallGame(otherFolder);

  TProcess first(exe);
  HWND window = first.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(InstanceMutexExists());

  // The same executable again, and another copy elsewhere: both refused.
  ExpectSilentEnd(exe);
  ExpectSilentEnd(otherExe);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(IsWindowVisible(window));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_FALSE(InstanceMutexExists());

  TProcess next(exe);
  HWND nextWindow = next.WaitWindow("TQuiltraForm");
  ASSERT_NE(nextWindow, nullptr);
  PostMessageA(nextWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(next.Wait(), 0);
}

TEST(Instance, AGameOnTheCommandLineOpensAndASecondStartHandsItsPictureOver) {
  TTempDir folder;
  const std::string exe = InstallGame(folder);
  const std::string picture = folder.File("cells.bmp");
  const std::string other = folder.File("other.bmp");
  ASSERT_TRUE(testpicture::WriteGridPicture(picture, 7, 7, 20, 20));
  ASSERT_TRUE(testpicture::WriteGridPicture(other, 5, 5, 20, 20));
  TStoredText text;
  WriteGameFile(text, test::MisplacedGame(), false, picture);
  const std::string game = folder.File("saved.qtg");
  WriteText(game, text.Format());

  TProcess first(exe, "\"" + game + "\"");
  HWND window = first.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Text(window) == "Quiltra - " + game; })) << Text(window);
  EXPECT_TRUE(HasLabel(window, RemainingText(test::MisplacedGame().Remaining())));

  // Minimised, it comes back to the front with the picture of a second start.
  PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(window); }));
  TProcess second(exe, "\"" + other + "\"");
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(window) && GetForegroundWindow() == window; }));
  EXPECT_TRUE(WaitFor([&] { return Text(window) == "Quiltra"; })) << Text(window);
  EXPECT_TRUE(WaitFor([&] { return PuzzleView(window) != nullptr; }));
  Sleep(300);  // painted
  SaveScreenshot("opened-by-second-start");
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.Wait(), 0);
}
