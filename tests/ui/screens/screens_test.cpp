// The game on other screens, each in a Wine prefix and on an Xvfb screen of
// its own: at 144 DPI (HighDpi) the windows are 1.5 times as large and the
// pictures take the screen's pixels; on screens smaller than the window
// (SmallScreen) everything lies inside the client area it gets.
#include <gtest/gtest.h>

#include "core/board.h"
#include "core/geometry.h"
#include "support/driver.h"
#include "support/game.h"
#include "tests/support/layout.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

using test::PlaceInParent;

// A dialog at the screen's DPI, and its picture: its client size the
// designed one scaled within a pixel, its controls inside and apart by the
// designed gap of 5 pixels scaled (controls left unscaled would stand only
// 5 pixels apart).
void ExpectScaledDialog(HWND dialog, SIZE client, const std::string& shot) {
  RECT area{};
  GetClientRect(dialog, &area);
  EXPECT_NEAR(area.right, Scaled(client.cx), 1);
  EXPECT_NEAR(area.bottom, Scaled(client.cy), 1);
  EXPECT_EQ(test::LayoutFaults(dialog, {.Gap = Scaled(5) - 1, .Captions = false}), "");
  SaveScreenshot(shot);
}

std::string ScreenName() {
  return std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
         std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "-" + std::to_string(ScreenDpi()) + "dpi";
}

// A picture of the test cells cut exactly into the grid, scattered and every
// piece dragged home; Ctrl+Alt on the way shows a hint beside the pointer.
void PlayToTheEnd(TProcess& game, HWND window, const TTempDir& folder, int grid) {
  ChooseGrid(window, grid, grid);
  const SIZE piece = PieceSize(window, grid, grid);
  ASSERT_TRUE(
      testpicture::WriteGridPicture(folder.File("cells.bmp"), grid, grid, piece.cx, piece.cy));
  ASSERT_TRUE(LoadPictureWithF5(game, window, folder.File("cells.bmp")));
  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(window, "You have made 0 moves."); }));
  EXPECT_EQ(test::LayoutFaults(window, {.Captions = false}), "");  // inside, apart
  POINT pointer{piece.cx / 2, piece.cy / 2};
  ClientToScreen(PuzzleView(window), &pointer);
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = VK_MENU;
  HWND hint = nullptr;
  for (int step = 0; step < 20 && !hint; ++step) {
    MoveTo(pointer.x + step % 2, pointer.y);
    SendInput(2, keys, sizeof keys[0]);  // held again after each movement
    hint = game.WaitWindow("tooltips_class32", 300);
  }
  ASSERT_NE(hint, nullptr);
  RECT hintRect{};
  GetWindowRect(hint, &hintRect);
  GetCursorPos(&pointer);
  EXPECT_NEAR(hintRect.left, pointer.x + Scaled(12), 2);
  EXPECT_NEAR(hintRect.top, pointer.y + Scaled(20), 2);
  SaveScreenshot("hint-" + ScreenName());
  keys[0].ki.dwFlags = keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  PressKey(VK_F13);  // so that releasing Alt opens no menu
  SendInput(2, keys, sizeof keys[0]);
  const int moves = DragEveryPieceHome(PuzzleView(window), grid, grid, piece);
  EXPECT_TRUE(WaitFor([&] { return HasLabel(window, "The puzzle is solved."); }));
  EXPECT_TRUE(HasLabel(window, MovesText(moves)));
}

void CloseWithoutSaving(TProcess& game, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (HWND question = WaitMessageBox(game, 5000)) PressButtonId(question, IDNO);
  EXPECT_EQ(game.Wait(), 0);
}

}  // namespace

TEST(HighDpi, TheMainWindowIsScaledAndAPhotoTakesTheScreensPixels) {
  ASSERT_EQ(ScreenDpi(), 144);
  TStartedGame started;
  auto& [folder, game, window] = started;
  ASSERT_NE(window, nullptr);
  RECT frame{}, client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  HWND original = ChildWithText(window, "TGroupBox", "Original picture");
  EXPECT_NEAR(PlaceInParent(original).top, Scaled(189), 1);
  EXPECT_NEAR(PlaceInParent(GetParent(Children(window, "ComboBox")[1])).right, Scaled(345), 1);
  EXPECT_NEAR(PlaceInParent(Children(window, "ComboBox")[1]).top, Scaled(55), 1);

  // The same photo on a screen of two thirds the size at 96 DPI, by the
  // window's rules: here the puzzle view has 1.45 times the pixels each way.
  TWindowTemplate at96;
  at96.NonClientWidth = (frame.right - frame.left - client.right) * 2 / 3;
  at96.NonClientHeight = (frame.bottom - frame.top - client.bottom) * 2 / 3;
  const TRect box96 = ArrangeWindowOn(GetSystemMetrics(SM_CXSCREEN) * 2 / 3,
                                      GetSystemMetrics(SM_CYSCREEN) * 2 / 3, at96)
                          .PuzzleGroupBox;
  const TSize fitted = FitSizeToBox(6000, 4000, box96.Width - 10, box96.Height - 25, true);
  const TPieceSize piece96 = ComputePieceSize(box96.Width - 10, box96.Height - 25, 30, 30);
  ChooseGrid(window, 30, 30);
  ASSERT_TRUE(LoadPictureWithF5(game, window, PathArgument("photo")));
  RECT view{};
  GetClientRect(PuzzleView(window), &view);
  EXPECT_GE(view.right * 100, GridCount(fitted.Width, piece96.Width, 30) * piece96.Width * 145);
  EXPECT_GE(view.bottom * 100, GridCount(fitted.Height, piece96.Height, 30) * piece96.Height * 145);
  EXPECT_EQ(test::LayoutFaults(window, {.Captions = false}), "");  // inside, apart
  SaveScreenshot("dpi144-main-window-photo");
  PlayToTheEnd(game, window, folder, 7);
  SaveScreenshot("dpi144-solved");
  CloseWithoutSaving(game, window);
}

TEST(HighDpi, TheErrorDialogTheAboutDialogAndTheInstallerAreScaled) {
  ASSERT_EQ(ScreenDpi(), 144);
  TTempDir folder;
  CopyFileA(PathArgument("probe").c_str(), folder.File("errorprobe.exe").c_str(), FALSE);
  TProcess probe(folder.File("errorprobe.exe"), "open");
  HWND error = probe.WaitWindow("TErrorForm");
  ASSERT_NE(error, nullptr);
  ExpectScaledDialog(error, {340, 265}, "dpi144-error-dialog");
  PressButton(error, "&Okay");
  EXPECT_EQ(probe.Wait(), 0);

  TProcess game(InstallGame(folder));
  HWND main = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(main, nullptr);
  WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
  PressKey('A', {VK_MENU});
  HWND about = game.WaitWindow("TAboutForm", 5000);
  ASSERT_NE(about, nullptr);
  ExpectScaledDialog(about, {440, 280}, "dpi144-about");
  PressKey(VK_ESCAPE);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);

  WriteText(folder.File("Readme.txt"), "Quiltra\r\n\r\nA picture puzzle.\r\n");
  TProcess installer(InstallGame(folder, "Install.exe"));
  HWND install = installer.WaitWindow("TInstallForm");
  ASSERT_NE(install, nullptr);
  ExpectScaledDialog(install, {400, 450}, "dpi144-installer");
  PressButton(install, "&Cancel");
  EXPECT_EQ(installer.Wait(), 0);
}

TEST(SmallScreen, EveryBoxLiesInsideTheClientAreaAndTheGamePlays) {
  TStartedGame started;
  auto& [folder, game, window] = started;
  ASSERT_NE(window, nullptr);
  // The client area is on the screen, and of the title bar at most its
  // frame is off it.
  const RECT client = ClientRectOnScreen(window);
  RECT frame{};
  GetWindowRect(window, &frame);
  const int border = (frame.right - frame.left - (client.right - client.left)) / 2;
  EXPECT_TRUE(client.left >= 0 && client.top >= 0 &&
              client.right <= GetSystemMetrics(SM_CXSCREEN) &&
              client.bottom <= GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GE(frame.top, -border);
  EXPECT_EQ(test::LayoutFaults(window, {.Captions = false}), "");  // inside, apart
  PlayToTheEnd(game, window, folder, 5);
  SaveScreenshot("small-screen-" + ScreenName());
  CloseWithoutSaving(game, window);
}
