// Help without a help file: "&Help" and the error dialog's "&Help" open the
// read-me next to the program in its viewer, and no help viewer asks for
// "Help.hlp"; without the read-me the failure is reported.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/system.h"

using namespace ui;

namespace {

// Every Windows opens ".txt" files with Notepad; a fresh Wine prefix knows
// the program ("txtfile") but not the extension. Given while it lives, if
// missing.
class TTextFileType {
 public:
  TTextFileType() {
    char type[64] = {};
    LONG size = sizeof type;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, ".txt", type, &size) == ERROR_SUCCESS && type[0]) return;
    added_ = RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, "txtfile", 7) == ERROR_SUCCESS;
  }
  ~TTextFileType() {
    if (added_) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
  }
  TTextFileType(const TTextFileType&) = delete;
  TTextFileType& operator=(const TTextFileType&) = delete;

 private:
  bool added_ = false;
};

// The viewer shows the read-me; it is closed again.
void ExpectReadmeViewer(const std::string& shot = "") {
  const TProcessWindow viewer = WaitAnyWindow("Notepad");
  ASSERT_NE(viewer.Window, nullptr);
  EXPECT_NE(Text(viewer.Window).find("Readme"), std::string::npos) << Text(viewer.Window);
  EXPECT_EQ(FindWindowA("MS_WINHELP", nullptr), nullptr);
  if (!shot.empty()) {
    Sleep(300);
    SaveScreenshot(shot);
  }
  CloseAndWait(viewer);
}

}  // namespace

TEST(Help, OpensTheReadmeFromTheMenuAndTheErrorDialog) {
  TTextFileType textFiles;
  TTempDir folder;
  WriteFile(folder.File("Readme.txt"), "Quiltra\r\n=======\r\n\r\nHow to play\r\n");
  TProcess game(InstallGame(folder));
  HWND main = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(main, nullptr);
  WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
  PressKey('H', {VK_MENU});
  ExpectReadmeViewer("help-readme");

  // The error dialog of a failed "Load last game".
  SetForegroundWindow(main);
  WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
  PressKey('Z', {VK_CONTROL});
  HWND error = WaitErrorDialog(game);
  ASSERT_NE(error, nullptr);
  ASSERT_TRUE(PressButton(error, "&Help"));
  ExpectReadmeViewer();
  ASSERT_TRUE(PressButton(error, "&Okay"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(error); }));

  // Without the read-me.
  DeleteFileA(folder.File("Readme.txt").c_str());
  SetForegroundWindow(main);
  WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
  PressKey('H', {VK_MENU});
  error = WaitErrorDialog(game);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(ErrorDialogText(error).rfind("DESCRIPTION\r\nFailed to open file.\r\n", 0), 0u)
      << ErrorDialogText(error);
  ASSERT_TRUE(PressButton(error, "&Okay"));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
}
