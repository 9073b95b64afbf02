// The game on other screens, each run in a Wine prefix and on an Xvfb screen
// of its own: at 144 DPI (HighDpi) every window is laid out 1.5 times as
// large and the pictures take the screen's pixels; on screens smaller than
// the window (SmallScreen) everything lies inside the client area the window
// gets, and the game plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/geometry.h"
#include "support/driver.h"
#include "support/game.h"
#include "tests/support/testpicture.h"

using namespace ui;

namespace {

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A control's place is its designed place (at 96 DPI) scaled, within a
// pixel.
void ExpectScaledPlace(HWND control, RECT designed, const std::string& name) {
  const RECT place = RectInParent(control);
  EXPECT_NEAR(place.left, Scaled(designed.left), 1) << name;
  EXPECT_NEAR(place.top, Scaled(designed.top), 1) << name;
  EXPECT_NEAR(place.right, Scaled(designed.right), 1) << name;
  EXPECT_NEAR(place.bottom, Scaled(designed.bottom), 1) << name;
}

void ExpectClientSize(HWND window, int width, int height) {
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_NEAR(client.right, Scaled(width), 1);
  EXPECT_NEAR(client.bottom, Scaled(height), 1);
}

// Buttons by caption with their designed places (left, top, right, bottom).
struct TDesigned {
  const char* Caption;
  RECT Place;
};

void ExpectButtons(HWND dialog, std::initializer_list<TDesigned> buttons) {
  for (const TDesigned& button : buttons) {
    HWND control = ChildWithText(dialog, "Button", button.Caption);
    ASSERT_NE(control, nullptr) << button.Caption;
    ExpectScaledPlace(control, button.Place, button.Caption);
  }
}

// Every child window lies inside its parent's client area.
void ExpectEverythingInside(HWND parent) {
  RECT client{};
  GetClientRect(parent, &client);
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT place = RectInParent(child), inside{};
    IntersectRect(&inside, &place, &client);
    EXPECT_TRUE(EqualRect(&inside, &place))
        << ClassOf(child) << " \"" << Text(child) << "\" " << place.left << "," << place.top << ","
        << place.right << "," << place.bottom << " in " << client.right << "x" << client.bottom;
    ExpectEverythingInside(child);
  }
}

// Loads a picture of the test cells cut exactly into the grid, scatters it
// and drags every piece home.
void PlayToTheEnd(const TProcess& game, HWND window, const TTempDir& folder, int grid) {
  ChooseGrid(window, grid, grid);
  const SIZE piece = PieceSize(window, grid, grid);
  const std::string picture = folder.File("cells.bmp");
  ASSERT_TRUE(testpicture::WriteGridPicture(picture, grid, grid, piece.cx, piece.cy));
  ASSERT_TRUE(LoadPictureWithF5(game, window, picture));
  HWND puzzle = PuzzleView(window);
  ASSERT_NE(puzzle, nullptr);
  RECT view{};
  GetClientRect(puzzle, &view);
  EXPECT_EQ(view.right, grid * piece.cx);
  EXPECT_EQ(view.bottom, grid * piece.cy);
  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(window, "You have made 0 moves."); }));
  ExpectEverythingInside(window);
  const int moves = DragEveryPieceHome(puzzle, grid, grid, piece);
  ASSERT_GT(moves, 0);
  EXPECT_TRUE(WaitFor([&] { return HasLabel(window, "The puzzle is solved."); }));
  EXPECT_TRUE(HasLabel(window, MovesText(moves)));
}

void CloseWithoutSaving(TProcess& game, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (HWND question = WaitMessageBox(game, 5000)) PressButtonId(question, IDNO);
  EXPECT_EQ(game.Wait(), 0);
}

std::string ScreenName() {
  return std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
         std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "-" + std::to_string(ScreenDpi()) + "dpi";
}

}  // namespace

TEST(HighDpi, TheMainWindowIsScaledAndAPhotoTakesTheScreensPixels) {
  ASSERT_EQ(ScreenDpi(), 144);
  TTempDir folder;
  TProcess game(InstallGame(folder));
  HWND window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  HWND panel = GetWindow(window, GW_CHILD);
  while (panel && ClassOf(panel) != "TPanel") panel = GetWindow(panel, GW_HWNDNEXT);
  ASSERT_NE(panel, nullptr);
  ExpectScaledPlace(panel, RECT{5, 10, 345, 185}, "MainPanel");
  const std::vector<HWND> combos = Children(window, "ComboBox");
  ASSERT_EQ(combos.size(), 2u);
  for (size_t i = 0; i < combos.size(); ++i) {
    const RECT place = RectInParent(combos[i]);
    EXPECT_NEAR(place.left, Scaled(65), 1);
    EXPECT_NEAR(place.top, Scaled(i == 0 ? 30 : 55), 1);
    EXPECT_NEAR(place.right, Scaled(115), 1);
  }
  const RECT flip = RectInParent(ChildWithText(window, "Button", "Allow &flipping pieces"));
  EXPECT_NEAR(flip.left, Scaled(130), 1);
  EXPECT_NEAR(flip.top, Scaled(35), 1);
  EXPECT_NEAR(flip.bottom - flip.top, Scaled(17), 1);
  HWND original = ChildWithText(window, "TGroupBox", "Original picture");
  HWND puzzleBox = ChildWithText(window, "TGroupBox", "Puzzle picture");
  EXPECT_NEAR(RectInParent(original).left, Scaled(5), 1);
  EXPECT_NEAR(RectInParent(original).top, Scaled(189), 1);
  EXPECT_NEAR(RectInParent(puzzleBox).top, Scaled(5), 1);
  ExpectEverythingInside(window);

  // The same photo on a screen of two thirds the size at 96 DPI, by the
  // window's rules: the puzzle view here has at least 1.45 times as many
  // pixels each way.
  const int photoWidth = 6000, photoHeight = 4000, grid = 30;
  RECT windowRect{}, client{};
  GetWindowRect(window, &windowRect);
  GetClientRect(window, &client);
  TWindowTemplate at96;
  at96.NonClientWidth = (windowRect.right - windowRect.left - client.right) * 2 / 3;
  at96.NonClientHeight = (windowRect.bottom - windowRect.top - client.bottom) * 2 / 3;
  const TWindowArrangement arranged96 = ArrangeWindowOn(
      GetSystemMetrics(SM_CXSCREEN) * 2 / 3, GetSystemMetrics(SM_CYSCREEN) * 2 / 3, at96);
  const int area96Width = arranged96.PuzzleGroupBox.Width - 10;
  const int area96Height = arranged96.PuzzleGroupBox.Height - 20 - 5;
  const TSize fitted96 = FitSizeToBox(photoWidth, photoHeight, area96Width, area96Height, true);
  const TPieceSize piece96 = ComputePieceSize(area96Width, area96Height, grid, grid);
  const int view96Width = GridCount(fitted96.Width, piece96.Width, grid) * piece96.Width;
  const int view96Height = GridCount(fitted96.Height, piece96.Height, grid) * piece96.Height;

  ChooseGrid(window, grid, grid);
  ASSERT_TRUE(LoadPictureWithF5(game, window, PathArgument("photo")));
  HWND puzzle = PuzzleView(window);
  ASSERT_NE(puzzle, nullptr);
  RECT view{};
  GetClientRect(puzzle, &view);
  EXPECT_GE(view.right * 100, view96Width * 145) << view.right << " vs " << view96Width;
  EXPECT_GE(view.bottom * 100, view96Height * 145) << view.bottom << " vs " << view96Height;
  ExpectEverythingInside(window);
  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(window, "You have made 0 moves."); }));
  Sleep(300);
  SaveScreenshot("dpi144-main-window-photo");
  CloseWithoutSaving(game, window);
}

TEST(HighDpi, PlaysByDragsWithHintsBesideThePointerAndWideFrames) {
  ASSERT_EQ(ScreenDpi(), 144);
  TTempDir folder;
  TProcess game(InstallGame(folder));
  HWND window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  const int grid = 7;
  ChooseGrid(window, grid, grid);
  const SIZE piece = PieceSize(window, grid, grid);
  const std::string picture = folder.File("cells.bmp");
  ASSERT_TRUE(testpicture::WriteGridPicture(picture, grid, grid, piece.cx, piece.cy));
  ASSERT_TRUE(LoadPictureWithF5(game, window, picture));
  HWND puzzle = PuzzleView(window);
  ASSERT_NE(puzzle, nullptr);
  PressKey('R', {VK_MENU});
  ASSERT_TRUE(WaitFor([&] { return HasLabel(window, "You have made 0 moves."); }));

  // Frames are two pixels wide: the dark grid at a cell's left edge.
  const TShot shot = CaptureClient(puzzle);
  int column = 0, row = 0;
  for (int cell = 0; cell < grid * grid; ++cell) {
    int c = -1, r = -1;
    testpicture::CellOfColour(
        shot.At((cell % grid) * piece.cx + piece.cx / 2, (cell / grid) * piece.cy + piece.cy / 2),
        c, r);
    if (c != cell % grid || r != cell / grid) {
      column = cell % grid;
      row = cell / grid;
      break;
    }
  }
  const int y = row * piece.cy + piece.cy / 2;
  EXPECT_EQ(shot.At(column * piece.cx, y), 0u);
  EXPECT_EQ(shot.At(column * piece.cx + 1, y), 0u);
  EXPECT_NE(shot.At(column * piece.cx + 2, y), 0u);

  // Ctrl+Alt over a piece: its hint beside the pointer.
  POINT pointer{column * piece.cx + piece.cx / 2, y};
  ClientToScreen(puzzle, &pointer);
  MoveTo(pointer.x, pointer.y);
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = VK_MENU;
  SendInput(2, keys, sizeof keys[0]);
  HWND hint = nullptr;
  for (int step = 0; step < 20 && !hint; ++step) {
    MoveTo(pointer.x + step % 2, pointer.y);
    SendInput(2, keys, sizeof keys[0]);
    hint = game.WaitWindow("tooltips_class32", 300);
  }
  ASSERT_NE(hint, nullptr);
  RECT hintRect{};
  GetWindowRect(hint, &hintRect);
  POINT now{};
  GetCursorPos(&now);
  EXPECT_NEAR(hintRect.left, now.x + Scaled(12), 2);
  EXPECT_NEAR(hintRect.top, now.y + Scaled(20), 2);
  Sleep(200);
  SaveScreenshot("dpi144-hint");
  keys[0].ki.dwFlags = keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  PressKey(VK_F13);  // so that releasing Alt opens no menu
  SendInput(2, keys, sizeof keys[0]);

  const int moves = DragEveryPieceHome(puzzle, grid, grid, piece);
  ASSERT_GT(moves, 0);
  EXPECT_TRUE(WaitFor([&] { return HasLabel(window, "The puzzle is solved."); }));
  EXPECT_TRUE(HasLabel(window, MovesText(moves)));
  Sleep(200);
  SaveScreenshot("dpi144-solved");
  CloseWithoutSaving(game, window);
}

TEST(HighDpi, TheErrorDialogTheAboutDialogAndTheInstallerAreScaled) {
  ASSERT_EQ(ScreenDpi(), 144);
  {
    TTempDir folder;
    const std::string probe = folder.File("errorprobe.exe");
    ASSERT_TRUE(CopyFileA(PathArgument("probe").c_str(), probe.c_str(), FALSE));
    TProcess process(probe, "open");
    HWND dialog = process.WaitWindow("TErrorForm");
    ASSERT_NE(dialog, nullptr);
    ExpectClientSize(dialog, 340, 265);
    ExpectButtons(dialog, {{"&Okay", {25, 135, 100, 160}},
                           {"&Cancel", {240, 135, 315, 160}},
                           {"O&kay (no errors)", {110, 135, 230, 160}},
                           {"&Terminate application immediately", {65, 170, 275, 195}},
                           {"&Log", {90, 205, 165, 230}},
                           {"&Help", {175, 205, 250, 230}}});
    ExpectScaledPlace(Children(dialog, "Edit").front(), RECT{5, 5, 335, 125}, "MainMemo");
    ExpectEverythingInside(dialog);
    Sleep(300);
    SaveScreenshot("dpi144-error-dialog");
    PressButton(dialog, "&Okay");
    EXPECT_EQ(process.Wait(), 0);
  }
  {
    TTempDir folder;
    TProcess game(InstallGame(folder));
    HWND main = game.WaitWindow("TQuiltraForm");
    ASSERT_NE(main, nullptr);
    WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
    PressKey('A', {VK_MENU});
    HWND about = game.WaitWindow("TAboutForm", 5000);
    ASSERT_NE(about, nullptr);
    ExpectClientSize(about, 440, 280);
    ExpectButtons(about, {{"Visit my site", {60, 190, 160, 215}},
                          {"License terms", {165, 190, 265, 215}},
                          {"Contact me", {270, 190, 370, 215}},
                          {"&Okay", {185, 245, 260, 270}}});
    ExpectEverythingInside(about);
    Sleep(300);
    SaveScreenshot("dpi144-about");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.Wait(), 0);
  }
  {
    TTempDir folder;
    WriteFile(folder.File("Readme.txt"), "Quiltra\r\n\r\nA picture puzzle.\r\n");
    TProcess installer(InstallGame(folder, "Install.exe"));
    HWND window = installer.WaitWindow("TInstallForm");
    ASSERT_NE(window, nullptr);
    ExpectClientSize(window, 400, 450);
    ExpectButtons(window, {{"&Install", {120, 415, 195, 440}},
                           {"&Cancel", {205, 415, 280, 440}},
                           {"&Browse", {320, 380, 395, 403}}});
    ExpectScaledPlace(Children(window, "Edit")[0], RECT{5, 200, 395, 345}, "ReadmeMemo");
    ExpectEverythingInside(window);
    Sleep(300);
    SaveScreenshot("dpi144-installer");
    PressButton(window, "&Cancel");
    EXPECT_EQ(installer.Wait(), 0);
  }
}

TEST(SmallScreen, EveryBoxLiesInsideTheClientAreaAndTheGamePlays) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  TTempDir folder;
  TProcess game(InstallGame(folder));
  HWND window = game.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  // The client area and the title bar are on the screen; at most the frame
  // is off it.
  const RECT client = ClientRectOnScreen(window);
  RECT windowRect{};
  GetWindowRect(window, &windowRect);
  const int frame = (windowRect.right - windowRect.left - (client.right - client.left)) / 2;
  EXPECT_GE(client.left, 0);
  EXPECT_GE(client.top, 0);
  EXPECT_LE(client.right, screenWidth);
  EXPECT_LE(client.bottom, screenHeight);
  EXPECT_GE(windowRect.top, -frame);
  EXPECT_GE(windowRect.left, -frame);
  ExpectEverythingInside(window);
  PlayToTheEnd(game, window, folder, 5);
  Sleep(200);
  SaveScreenshot("small-screen-" + ScreenName());
  CloseWithoutSaving(game, window);
}
