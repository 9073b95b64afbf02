// The first key counts: a shortcut pressed the moment the main window shows
// acts like any later one, start after start.
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
  for (int start = 0; start < 20; ++start) {
    TProcess game(exe);
    ASSERT_NE(WaitWindowAtOnce(game), nullptr);
    // The last game is still the pattern of the games folder: no such file.
    PressKey('Z', {VK_CONTROL});
    EXPECT_NE(WaitErrorDialog(game, 5000), nullptr) << "Ctrl+Z lost at start " << start;
    // Ended at once (the mutex goes with the process): only the start counts.
  }
}
