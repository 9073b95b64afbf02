// The main window at start: caption, tips, choosers, hidden views, and a clean
// end.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"

using namespace ui;

TEST(MainWindow, StartsLaidOutAndClosesWithExitCodeZero) {
  TStartedGame started;
  auto& [folder, game, window] = started;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(window), "Quiltra game");
  EXPECT_NE(
      ChildWithText(window, "TLabel", "Press [F5] to load a picture. Press [L] to load a game."),
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
  EXPECT_TRUE(Exists(folder.File("QuiltraGames")));
  Sleep(300);
  SaveScreenshot("main-window");

  // The menu's shortcuts act even while a chooser has the focus: Tab gives
  // it to the columns chooser, S opens the save dialog instead of choosing
  // an item, and the space bar hides the game.
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndFocus == combos[0];
  }));
  PressKey('S');
  HWND saveDialog = game.WaitWindow("#32770");
  ASSERT_NE(saveDialog, nullptr);
  EXPECT_EQ(Text(combos[0]), "7");
  PressButtonId(saveDialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(saveDialog) || !IsWindowVisible(saveDialog); }));
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; }));
  ShowWindow(window, SW_RESTORE);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
  // Closing wrote the options next to the program.
  EXPECT_NE(ReadText(folder.File("Quiltra.ini")).find("[QuiltraGame]\r\nColumnsCount=7\r\n"),
            std::string::npos);
}
