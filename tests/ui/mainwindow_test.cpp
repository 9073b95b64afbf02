// The main window at start: caption, tips, choosers, hidden views, and a clean
// end.
#include <gtest/gtest.h>

#include "support/driver.h"

using namespace ui;

TEST(MainWindow, StartsLaidOutAndClosesWithExitCodeZero) {
  TTempDir folder;
  TProcess game(InstallGame(folder));
  HWND window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(window), "Quiltra game");
  EXPECT_NE(ChildWithText(window, "TLabel", "Press [F5] to load a picture. Press [L] to load a game."),
            nullptr);
  std::vector<HWND> combos = Children(window, "ComboBox");
  ASSERT_EQ(combos.size(), 2u);
  for (HWND combo : combos) EXPECT_EQ(Text(combo), "7");
  std::vector<HWND> images = Children(window, "TImage");
  ASSERT_EQ(images.size(), 3u);
  for (HWND image : images) EXPECT_FALSE(IsWindowVisible(image));
  EXPECT_NE(ChildWithText(window, "TGroupBox", "Original picture"), nullptr);
  EXPECT_NE(ChildWithText(window, "TGroupBox", "Puzzle picture"), nullptr);
  EXPECT_NE(ChildWithText(window, "Button", "Allow &flipping pieces"), nullptr);
  EXPECT_NE(ChildWithText(window, "Button", "Light &grid"), nullptr);
  EXPECT_TRUE(FileExists(folder.File("QuiltraGames")));
  Sleep(300);
  SaveScreenshot("main-window");

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
}
