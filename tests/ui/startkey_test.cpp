// The first key counts: a shortcut pressed the moment the main window shows
// acts like any later one, start after start; so does a key pressed the
// moment a question closes.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"

using namespace ui;

namespace {

// The main window the moment it is visible: polled without the usual pause,
// so that the key comes as early as a quick player's would.
HWND WaitWindowAtOnce(const TProcess& game) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 20000) {
    if (HWND window = game.FindWindow("TQuiltraForm")) return window;
    ::Sleep(1);
  }
  return nullptr;
}

}  // namespace

TEST(StartKey, CtrlZRightAfterTheWindowAppearsShowsTheErrorEveryTime) {
  TTempDir folder;
  const std::string exe = InstallGame(folder);
  int lost = 0;
  for (int start = 0; start < 20; ++start) {
    TProcess game(exe);
    HWND window = WaitWindowAtOnce(game);
    ASSERT_NE(window, nullptr);
    // The last game is still the pattern of the games folder: no such file.
    PressKey('Z', {VK_CONTROL});
    if (!WaitErrorDialog(game, 5000)) {
      ++lost;
      ADD_FAILURE() << "start " << start << ": Ctrl+Z was lost";
    }
    // Ended at once (the mutex goes with the process): only the start counts.
  }
  EXPECT_EQ(lost, 0);
}

TEST(StartKey, AKeyRightAfterAQuestionClosesActsEveryTime) {
  TTempDir folder;
  TProcess game(InstallGame(folder));
  HWND window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  const std::string existing = folder.File("QuiltraGames\\existing.qtg");
  WriteFile(existing, "");
  int lost = 0;
  for (int round = 0; round < 10; ++round) {
    // S, the existing file, No to the overwrite question, and S again the
    // moment the question is gone.
    PressKey('S');
    ASSERT_TRUE(AnswerFileDialog(game, existing));
    HWND box = WaitMessageBox(game);
    ASSERT_NE(box, nullptr);
    PressButtonId(box, IDNO);
    const DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - start < 10000) ::Sleep(1);
    PressKey('S');
    HWND dialog = game.WaitWindow("#32770", 5000);
    if (!dialog) {
      ++lost;
      ADD_FAILURE() << "round " << round << ": S was lost";
      continue;
    }
    PressButtonId(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
  }
  EXPECT_EQ(lost, 0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
}
