// One game at a time: a second start ends at once without a window, and a
// new game can start once the first has closed.
#include <gtest/gtest.h>

#include "support/driver.h"

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
