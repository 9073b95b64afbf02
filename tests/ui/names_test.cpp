// Names the system's ANSI code page cannot hold, and double-byte names whose
// second byte is a backslash: the game finds its own files, loads a picture,
// saves a game and gets it back after a restart.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "support/driver.h"
#include "support/game.h"
#include "support/testpicture.h"

using namespace ui;

namespace {

std::wstring Wide(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The picture again as a JPEG file, through GDI+'s encoder.
bool ConvertToJpeg(const std::wstring& from, const std::wstring& to) {
  using namespace Gdiplus;
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  GdiplusStartup(&token, &input, nullptr);
  bool written = false;
  UINT count = 0, size = 0;
  DllExports::GdipGetImageEncodersSize(&count, &size);
  std::vector<char> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  GpImage* image = nullptr;
  if (size && DllExports::GdipGetImageEncoders(count, size, codecs) == Ok &&
      DllExports::GdipLoadImageFromFile(from.c_str(), &image) == Ok) {
    for (UINT i = 0; i < count; ++i)
      if (wcscmp(codecs[i].MimeType, L"image/jpeg") == 0)
        written =
            DllExports::GdipSaveImageToFile(image, to.c_str(), &codecs[i].Clsid, nullptr) == Ok;
    DllExports::GdipDisposeImage(image);
  }
  GdiplusShutdown(token);
  return written;
}

// A copy of the game in a folder named in UTF-16 (ending with a backslash).
std::wstring InstallGameIn(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring exe = folder + L"Quiltra.exe";
  if (!CopyFileW(Wide(QuiltraExe()).c_str(), exe.c_str(), FALSE)) return L"";
  return exe;
}

// Closes the game; true when it ended without showing anything on the way.
bool CloseQuietly(TProcess& game, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  bool sawDialog = false;
  WaitFor([&] {
    if (game.FindWindow("TErrorForm") || game.FindWindow("#32770")) sawDialog = true;
    return !game.Running();
  });
  return !sawDialog && game.Wait() == 0;
}

}  // namespace

TEST(Names, OutsideTheWesternCodePageTheGameLoadsSavesAndRestarts) {
  TTempDir base;
  CreateDirectoryW((Wide(base.Path()) + L"\u0141ukasz").c_str(), nullptr);
  const std::wstring folder = Wide(base.Path()) + L"\u0141ukasz\\Quiltra\\";  // Łukasz
  const std::wstring exe = InstallGameIn(folder);
  ASSERT_FALSE(exe.empty());
  const std::wstring picture = folder + L"\u017b\u00f3\u0142w.jpg";  // Żółw.jpg
  const std::wstring game = folder + L"QuiltraGames\\game.qtg";
  {
    TProcess quiltra(exe, L"LANG", L"C.UTF-8");
    HWND window = quiltra.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(testpicture::WriteGridPicture(base.File("cells.bmp"), 7, 7, 20, 20));
    ASSERT_TRUE(ConvertToJpeg(Wide(base.File("cells.bmp")), picture));
    PressKey(VK_F5);
    ASSERT_TRUE(AnswerFileDialog(quiltra, picture));
    ASSERT_TRUE(WaitFor([&] { return PuzzleView(window) != nullptr; }));
    PressKey('S');
    ASSERT_TRUE(AnswerFileDialog(quiltra, game));
    ASSERT_TRUE(WaitFor([&] { return Exists(game); }));
    EXPECT_TRUE(CloseQuietly(quiltra, window));
  }
  EXPECT_TRUE(Exists(folder + L"Quiltra.ini"));

  TProcess quiltra(exe, L"LANG", L"C.UTF-8");
  HWND window = quiltra.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  PressKey('Z', {VK_CONTROL});  // the last game, and its picture with it
  EXPECT_TRUE(WaitFor([&] { return PuzzleView(window) != nullptr; }));
  EXPECT_EQ(quiltra.FindWindow("TErrorForm"), nullptr);
  EXPECT_TRUE(CloseQuietly(quiltra, window));
}

TEST(Names, AJapaneseFolderWhoseSecondByteIsABackslashHoldsTheOptions) {
  TTempDir base;
  // "ソフト": in code page 932 the first letter is 0x83 0x5C.
  const std::wstring folder = Wide(base.Path()) + L"\u30bd\u30d5\u30c8\\";
  const std::wstring exe = InstallGameIn(folder);
  ASSERT_FALSE(exe.empty());
  {
    TProcess quiltra(exe, L"LANG", L"ja_JP.UTF-8");
    HWND window = quiltra.WaitWindow("TQuiltraForm");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Exists(folder + L"QuiltraGames"));
    ChooseGrid(window, 9, 9);
    EXPECT_TRUE(CloseQuietly(quiltra, window));
  }
  EXPECT_TRUE(Exists(folder + L"Quiltra.ini"));

  TProcess quiltra(exe, L"LANG", L"ja_JP.UTF-8");
  HWND window = quiltra.WaitWindow("TQuiltraForm");
  ASSERT_NE(window, nullptr);
  for (HWND combo : Children(window, "ComboBox")) EXPECT_EQ(Text(combo), "9");
  EXPECT_TRUE(CloseQuietly(quiltra, window));
}
