// Paths as the system resolves them, patterns, attributes, special folders
// and the folder browser.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "core/funstat.h"
#include "forms/form.h"
#include "platform/ansipaths.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "testsupport.h"

using namespace test;

TEST(SystemPaths, FullPathsOfEmptyTextsDrivesShortAndRelativeNames) {
  TTempFolder folder;
  TCurrentDirectory current(folder.Path());
  EXPECT_EQ(GetFullPath(""), "");
  EXPECT_EQ(GetCanonicalPath(""), "");
  // A bare drive stays a bare drive, not the drive's current directory.
  EXPECT_EQ(GetFullPath("C:"), "C:");
  EXPECT_EQ(GetFullPath("C:\\Games\\..\\cat.jpg"), "C:\\cat.jpg");
  EXPECT_TRUE(SameTextAscii(GetFullPath("cat.jpg"), folder / "cat.jpg"));

  const std::string longFile = folder / "Another long file name.text";
  WriteText(longFile, "x");
  char shortFile[MAX_PATH] = {};
  GetShortPathNameA(longFile.c_str(), shortFile, MAX_PATH);
  ASSERT_NE(std::string(shortFile).find('~'), std::string::npos) << shortFile;
  EXPECT_TRUE(SameTextAscii(GetFullPath(shortFile), longFile));
  EXPECT_EQ(GetLongPath(folder / "NOSUCH~1.TXT"), folder / "NOSUCH~1.TXT");
  // Longer than any fixed buffer of 260 characters.
  const std::string deep = folder / (std::string(250, 'x') + "~1\\" + std::string(250, 'y'));
  EXPECT_EQ(GetFullPath(deep), deep);
}

// A name the code page can't hold, on a volume without short names: the
// program can't use it, and a message still names it.
TEST(SystemPaths, ANameWithoutAShortFormIsUnusableButNamed) {
  TTempFolder folder;
  const std::wstring wide = ToWide(folder.Path()) + L"\u4e00\u4e8c";
  std::string exact;
  if (ToAnsiExactly(wide, exact)) GTEST_SKIP() << "the code page holds every name";
  ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
  EXPECT_NE(AnsiPath(wide), "");  // by its short form
  NoShortNamesTestHook = true;
  EXPECT_EQ(AnsiPath(wide), "");
  EXPECT_EQ(PathForMessage(wide), folder.Path() + "??");
  NoShortNamesTestHook = false;
  RemoveDirectoryW(wide.c_str());
}

TEST(SystemPaths, SamePathIgnoresCaseAndTrailingBackslashButNeverWildcards) {
  TTempFolder folder;
  const std::string games = folder / "Games";
  EXPECT_TRUE(IsSamePath(games, LowerAscii(games) + "\\"));
  EXPECT_TRUE(IsSamePath(games + "\\..\\Games", games));
  EXPECT_TRUE(IsSamePath("C:", "c:\\"));
  EXPECT_FALSE(IsSamePath(games, folder / "Other"));
  EXPECT_FALSE(IsSamePath("", games));
  for (const char* odd : {"*", "?", "<", ">", "|", "\""})
    EXPECT_FALSE(IsSamePath(games + odd, games + odd)) << odd;
}

TEST(SystemPaths, FileSpecsTakeSeveralPatternsAndIgnoreCase) {
  EXPECT_TRUE(MatchesFileSpec("C:\\Pictures\\CAT.JPG", "*.bmp;*.jpg;*.jpeg"));
  EXPECT_TRUE(MatchesFileSpec("C:\\Pictures\\dog.png", "*.bmp; *.png"));
  EXPECT_FALSE(MatchesFileSpec("C:\\Pictures\\dog.png", "*.bmp;*.jpg"));
  EXPECT_TRUE(MatchesFileSpec("anything at all", ""));
  EXPECT_FALSE(MyFileExists(""));
}

TEST(SystemPaths, RemoveReadOnlyClearsEveryAttributeOfReadOnlyFilesOnly) {
  TTempFolder folder;
  const std::string both = folder / "hidden-read-only.txt", hidden = folder / "hidden.txt";
  WriteText(both, "x");
  WriteText(hidden, "x");
  SetFileAttributesA(both.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  RemoveReadOnly(both);
  RemoveReadOnly(hidden);
  RemoveReadOnly(folder / "missing.txt");
  EXPECT_EQ(Attributes(both) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
  EXPECT_EQ(Attributes(hidden) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST(SystemPaths, OnlyMsDosProgramsGetPifLinks) {
  TTempFolder folder;
  // "MZ" and nothing that a newer executable format would add.
  WriteText(folder / "OLDGAME.EXE", "MZ" + std::string(510, '\0'));
  EXPECT_EQ(GetLinkExtension(folder / "OLDGAME.EXE"), ".pif");
  EXPECT_EQ(GetLinkExtension(HelperPath()), ".lnk");
  EXPECT_EQ(GetLinkExtension(folder / "missing.exe"), ".lnk");
}

TEST(SpecialFolders, KnownFoldersExistAndUnknownOnesAreEmpty) {
  for (const std::string& path : {GetPicturesPath(), GetDesktopPath(), GetProgramsMenuPath(),
                                  GetProgramFilesPath(), GetStartupPath(), GetUserProgramsPath()}) {
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), '\\') << path;
    EXPECT_TRUE(MyFileExists(path)) << path;
  }
  EXPECT_EQ(GetSystemDirectoryPath(0x7E), "");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

// The installer proposes the Program Files of the program's architecture:
// 64-bit Windows gives a 32-bit program "Program Files (x86)".
TEST(SpecialFolders, ProgramFilesIsTheFolderOfTheProgramsArchitecture) {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  const char* variable = sizeof(void*) == 8 ? "ProgramW6432"
                         : wow64            ? "ProgramFiles(x86)"
                                            : "ProgramFiles";
  char expected[MAX_PATH] = {};
  ASSERT_NE(GetEnvironmentVariableA(variable, expected, sizeof expected), 0u) << variable;
  EXPECT_TRUE(IsSamePath(GetProgramFilesPath(), std::string(expected) + "\\"))
      << GetProgramFilesPath() << " against " << expected;
}

namespace {

// The folder the browser's tree has selected ("" for none).
std::string BrowserSelection(HWND dialog) {
  HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  char text[MAX_PATH] = {};
  TVITEMA data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = MAX_PATH;
  if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return "";
  return text;
}

}  // namespace

TEST(FolderBrowser, ReturnsTheChosenFolderAndKeepsTheTextOnCancel) {
  TTempFolder folder;
  const std::string games = folder / "Games";
  MakeDirectory(games);
  TForm owner(TFormStyle{"TBrowseTestForm", 200, 100}, "Installer");
  owner.Show();
  std::string directory = "C:\\Program Files\\";
  bool ownerDisabled = false;
  {
    TDialogAnswerer browser("Browse for Folder", IDCANCEL,
                            [&](HWND) { ownerDisabled = !IsWindowEnabled(owner.Handle()); });
    EXPECT_FALSE(BrowseDirectory(directory, "", ""));
  }
  EXPECT_EQ(directory, "C:\\Program Files\\");
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

  // The user picks a folder, from the desktop and from a root of our own.
  // Wine's browser rebuilds its tree when the file system changes, which
  // loses the selection: choose until the choice stays.
  for (const std::string& root : {std::string(), folder.Path()}) {
    TDialogAnswerer browser("Browse for Folder", IDOK, [&](HWND dialog) {
      for (int attempt = 0; attempt < 8 && BrowserSelection(dialog) != "Games"; ++attempt) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(games.c_str()));
        Sleep(500);
      }
    });
    EXPECT_TRUE(BrowseDirectory(directory, root, "Install to:")) << root;
    EXPECT_TRUE(IsSamePath(directory, games)) << directory << " from root " << root;
  }
}
