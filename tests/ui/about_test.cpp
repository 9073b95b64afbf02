// The About dialog of the running game: its texts, the focus on "Okay", and
// Enter and Esc closing it. (Its site buttons are tested in process, where the
// site's address can be pointed at a page that fails to open: under Wine the
// shell hands every web address to its browser launcher, which reports
// success whether or not a browser exists.)
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/system.h"

using namespace ui;

namespace {

// Opens the dialog through the main window's "&About" item.
HWND OpenAbout(const TProcess& game, HWND main) {
  WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
  PressKey('A', {VK_MENU});
  HWND about = game.WaitWindow("TAboutForm", 5000);
  if (about) WaitFor([&] { return GetForegroundWindow() == about; }, 3000);
  return about;
}

}  // namespace

TEST(About, ShowsTheProgramAndClosesWithEnterAndEsc) {
  TStartedGame started;
  auto& [folder, game, main] = started;
  ASSERT_NE(main, nullptr);

  HWND about = OpenAbout(game, main);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Text(about), "About");
  RECT client{};
  GetClientRect(about, &client);
  EXPECT_EQ(client.right, 440);
  EXPECT_EQ(client.bottom, 280);
  EXPECT_NEAR(Centre(about).x, Centre(main).x, 1);
  EXPECT_NEAR(Centre(about).y, Centre(main).y, 1);
  EXPECT_NE(ChildWithText(about, "TLabel", "Quiltra"), nullptr);
  EXPECT_NE(ChildWithText(about, "TLabel", "Version 2.5.2, released on 06.01.2006"), nullptr);
  EXPECT_NE(ChildWithText(about, "TLabel", "Written by the Quiltra developers"), nullptr);
  EXPECT_NE(ChildStartingWith(about, "TLabel", "Visit my site to see all my ideas and programs"),
            nullptr);
  for (const char* caption : {"Visit my site", "License terms", "Contact me"})
    EXPECT_NE(ChildWithText(about, "Button", caption), nullptr) << caption;
  HWND okay = ChildWithText(about, "Button", "&Okay");
  ASSERT_NE(okay, nullptr);
  EXPECT_EQ(Focused(about), okay);
  // The main window takes no input meanwhile.
  EXPECT_FALSE(IsWindowEnabled(main));
  Sleep(300);
  SaveScreenshot("about-dialog");

  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main); }));

  about = OpenAbout(game, main);
  ASSERT_NE(about, nullptr);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

  // Opened again, the focus is back on "Okay" whatever had it before.
  about = OpenAbout(game, main);
  ASSERT_NE(about, nullptr);
  SetForegroundWindow(about);
  PressKey(VK_TAB);
  EXPECT_NE(Focused(about), okay);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));
  about = OpenAbout(game, main);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Focused(about), okay);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(game.Wait(), 0);
}
