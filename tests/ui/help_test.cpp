// Help without a help file: "&Help" and the error dialog's "&Help" open the
// read-me next to the program in its viewer, and no help viewer asks for
// "Help.hlp"; without the read-me the failure is reported.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/system.h"

using namespace ui;

namespace {

// The viewer shows the read-me; it is closed again.
void ExpectReadmeViewer(const std::string& shot = "") {
  const TProcessWindow viewer = WaitAnyWindow("Notepad");
  ASSERT_NE(viewer.Window, nullptr);
  EXPECT_NE(Text(viewer.Window).find("Readme"), std::string::npos) << Text(viewer.Window);
  EXPECT_EQ(FindWindowA("MS_WINHELP", nullptr), nullptr);
  if (!shot.empty()) SaveScreenshot(shot);
  CloseAndWait(viewer);
}

// The window is found while it is still hidden: a key pressed before it
// shows and has the focus would go nowhere.
void PressInMain(HWND main, WORD key, WORD modifier) {
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }));
  PressKey(key, {modifier});
}

}  // namespace

TEST(Help, OpensTheReadmeFromTheMenuAndTheErrorDialog) {
  // Every Windows opens ".txt" files with Notepad; a new Wine prefix knows
  // the program but not the extension.
  RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, "txtfile", 7);
  TTempDir folder;
  WriteText(folder.File("Readme.txt"), "Quiltra\r\n=======\r\n\r\nHow to play\r\n");
  TProcess game(InstallGame(folder));
  HWND main = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(main, nullptr);
  PressInMain(main, 'H', VK_MENU);
  ExpectReadmeViewer("help-readme");

  PressInMain(main, 'Z', VK_CONTROL);  // no last game: the error dialog
  HWND error = WaitErrorDialog(game);
  ASSERT_NE(error, nullptr);
  ASSERT_TRUE(PressButton(error, "&Help"));
  ExpectReadmeViewer();
  ASSERT_TRUE(PressButton(error, "&Okay"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(error); }));

  DeleteFileA(folder.File("Readme.txt").c_str());
  PressInMain(main, 'H', VK_MENU);
  ASSERT_NE(WaitErrorDialog(game), nullptr);
  EXPECT_EQ(ErrorDialogText(error).rfind("DESCRIPTION\r\nFailed to open file.\r\n", 0), 0u);
  ASSERT_TRUE(PressButton(error, "&Okay"));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
}
