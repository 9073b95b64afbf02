// Pictures and games from outside the menu, on the real main window in
// process: a drop opens the first picture or game among its files, and a
// pasted bitmap becomes a PNG file in the player's pictures, which the game
// then uses.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "forms/application.h"
#include "platform/folders.h"
#include "tests/support/testpicture.h"
#include "testsupport.h"

namespace {

// A drop of these files, as the shell hands it to a window.
HDROP MakeDrop(const std::vector<std::string>& files) {
  std::string names;
  for (const std::string& file : files) names += file + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

bool PutOnClipboard(UINT format, HANDLE data) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const bool put = !data || SetClipboardData(format, data);
  CloseClipboard();
  return put;
}

class OpeningTest : public test::TGameWindowTest {
 protected:
  void SetUp() override {
    TGameWindowTest::SetUp();
    form_->SetModified(false);
  }
};

}  // namespace

TEST_F(OpeningTest, ADropOpensItsFirstPictureOrGameAndPassesOverOtherFiles) {
  const std::string other = folder_ / "other.bmp";
  ASSERT_TRUE(testpicture::WriteGridPicture(other, 5, 5, 10, 10));
  test::WriteText(folder_ / "notes.txt", "notes");
  SendMessageA(form_->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder_ / "notes.txt", other, picture_})), 0);
  application_->ProcessMessages();
  EXPECT_EQ(form_->PictureTitle(), other);
  EXPECT_TRUE(recorder_.Shows.empty());
}

TEST_F(OpeningTest, APastedBitmapIsWrittenToThePicturesFolderAndOpened) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(PutOnClipboard(CF_BITMAP, bitmap));
  form_->PastePictureMenuClick();
  const std::string pasted = form_->PictureTitle();
  const std::string folder = GetPicturesPath() + "Quiltra\\Pasted ";
  EXPECT_EQ(pasted.compare(0, folder.size(), folder), 0) << pasted;
  EXPECT_EQ(pasted.substr(pasted.size() - 4), ".png");
  EXPECT_TRUE(recorder_.Shows.empty());
  EXPECT_GT(form_->Board().ResultedColumns, 0);
  DeleteFileA(pasted.c_str());

  ASSERT_TRUE(PutOnClipboard(CF_BITMAP, nullptr));
  form_->PastePictureMenuClick();
  ASSERT_EQ(recorder_.Shows.size(), 1u);
  EXPECT_EQ(recorder_.Shows[0].Description, "The clipboard holds no picture.");
  EXPECT_EQ(form_->PictureTitle(), pasted);  // the game stays
}

// Magnifier and screen readers follow the keyboard cursor by the system's
// caret, hidden, on the cursor's cell.
TEST_F(OpeningTest, AHiddenCaretFollowsTheKeyboardCursor) {
  form_->Show();
  form_->PuzzlePictureImage->SetFocus();
  ASSERT_TRUE(form_->PuzzlePictureImage->Focused());
  SendMessageA(form_->PuzzlePictureImage->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(form_->PuzzlePictureImage->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  POINT caret{};
  ASSERT_TRUE(GetCaretPos(&caret));
  EXPECT_EQ(caret.x, form_->Piece().Width);
  EXPECT_EQ(caret.y, form_->Piece().Height);
}
