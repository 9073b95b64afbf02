// Paths as the system resolves them, patterns, existence and attributes.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "core/funstat.h"
#include "forms/form.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "testsupport.h"

using namespace test;

namespace {

// Runs with the current directory in a folder, then goes back.
class TCurrentDirectory {
 public:
  explicit TCurrentDirectory(const std::string& path) {
    GetCurrentDirectoryA(MAX_PATH, old_);
    SetCurrentDirectoryA(path.c_str());
  }
  ~TCurrentDirectory() { SetCurrentDirectoryA(old_); }

 private:
  char old_[MAX_PATH] = {};
};

std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}

}  // namespace

TEST(SystemPaths, FullPathsOfEmptyTextsDrivesAndRelativeNames) {
  TTempFolder folder;
  TCurrentDirectory current(folder.Path());
  EXPECT_EQ(GetFullPath(""), "");
  EXPECT_EQ(GetCanonicalPath(""), "");
  EXPECT_EQ(GetLongPath(""), "");
  // A bare drive stays a bare drive; it does not become the drive's current
  // directory.
  EXPECT_EQ(GetFullPath("C:"), "C:");
  EXPECT_EQ(GetCanonicalPath("C:"), "C:");
  EXPECT_EQ(GetFullPath("C:\\"), "C:\\");
  EXPECT_EQ(GetFullPath("C:\\Games\\..\\Pictures\\cat.jpg"), "C:\\Pictures\\cat.jpg");
  EXPECT_TRUE(SameTextAscii(GetFullPath("cat.jpg"), folder / "cat.jpg"));
}

TEST(SystemPaths, ShortNamesComeBackLong) {
  TTempFolder folder;
  const std::string directory = folder / "A rather long folder name";
  MakeDirectory(directory);
  WriteText(directory + "\\Another long file name.txt", "x");
  const std::string longFile = directory + "\\Another long file name.txt";
  const std::string shortFile = ShortPath(longFile);
  ASSERT_NE(shortFile.find('~'), std::string::npos) << shortFile;
  EXPECT_TRUE(SameTextAscii(GetLongPath(shortFile), longFile));
  EXPECT_TRUE(SameTextAscii(GetFullPath(shortFile), longFile));
  EXPECT_TRUE(IsSamePath(shortFile, longFile));
  // A "~" that names nothing is left as it is.
  EXPECT_EQ(GetLongPath(folder / "NOSUCH~1.TXT"), folder / "NOSUCH~1.TXT");
  // Far longer than a fixed buffer of 260 characters.
  const std::string deep = folder / (std::string(250, 'x') + "~1\\" + std::string(250, 'y'));
  EXPECT_EQ(GetLongPath(deep), deep);
  EXPECT_EQ(GetFullPath(deep), deep);
}

TEST(SystemPaths, SamePathIgnoresCaseAndTrailingBackslashButNeverWildcards) {
  TTempFolder folder;
  const std::string directory = folder / "Games";
  MakeDirectory(directory);
  EXPECT_TRUE(IsSamePath(directory, LowerAscii(directory) + "\\"));
  EXPECT_TRUE(IsSamePath(directory + "\\..\\Games", directory));
  {
    TCurrentDirectory current(folder.Path());
    EXPECT_TRUE(IsSamePath("Games", directory));
  }
  EXPECT_TRUE(IsSamePath("C:", "c:\\"));
  EXPECT_FALSE(IsSamePath(directory, folder / "Other"));
  EXPECT_FALSE(IsSamePath("", directory));
  for (const char* odd : {"*", "?", "<", ">", "|", "\""}) {
    const std::string path = folder / (std::string("a") + odd);
    EXPECT_FALSE(IsSamePath(path, path)) << odd;
  }
}

TEST(SystemPaths, FileSpecsTakeSeveralPatternsAndIgnoreCase) {
  const std::string patterns = "*.bmp;*.jpg;*.jpeg";
  EXPECT_TRUE(MatchesFileSpec("C:\\Pictures\\CAT.JPG", patterns));
  EXPECT_TRUE(MatchesFileSpec("C:\\Pictures\\dog.bmp", patterns));
  EXPECT_FALSE(MatchesFileSpec("C:\\Pictures\\dog.png", patterns));
  EXPECT_FALSE(MatchesFileSpec("C:\\Pictures\\jpg", patterns));
  EXPECT_TRUE(MatchesFileSpec("C:\\Pictures\\dog.png", "*.bmp; *.png"));
  EXPECT_TRUE(MatchesFileSpec("C:\\Games\\saved.qtg", "*.qtg"));
  EXPECT_TRUE(MatchesFileSpec("anything at all", ""));
  EXPECT_TRUE(MatchesFileSpec("", ""));
}

TEST(SystemPaths, ExistenceOfFilesAndFolders) {
  TTempFolder folder;
  WriteText(folder / "game.qtg", "x");
  EXPECT_TRUE(MyFileExists(folder / "game.qtg"));
  EXPECT_TRUE(MyFileExists(folder.Path()));
  EXPECT_FALSE(MyFileExists(folder / "missing.qtg"));
  EXPECT_FALSE(MyFileExists(""));
}

TEST(SystemPaths, RemoveReadOnlyClearsEveryAttributeOfReadOnlyFilesOnly) {
  TTempFolder folder;
  const std::string hiddenReadOnly = folder / "hidden-read-only.txt";
  const std::string hiddenOnly = folder / "hidden.txt";
  WriteText(hiddenReadOnly, "x");
  WriteText(hiddenOnly, "x");
  SetFileAttributesA(hiddenReadOnly.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(hiddenOnly.c_str(), FILE_ATTRIBUTE_HIDDEN);
  if (!(Attributes(hiddenOnly) & FILE_ATTRIBUTE_HIDDEN))
    GTEST_SKIP() << "this file system keeps no hidden attribute";

  RemoveReadOnly(hiddenReadOnly);
  RemoveReadOnly(hiddenOnly);
  RemoveReadOnly(folder / "missing.txt");
  EXPECT_EQ(Attributes(hiddenReadOnly) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
  EXPECT_EQ(Attributes(hiddenOnly) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_FALSE(Exists(folder / "missing.txt"));
}

TEST(SystemPaths, OnlyMsDosProgramsGetPifLinks) {
  TTempFolder folder;
  // An MS-DOS program: the "MZ" header and nothing after it that a newer
  // format would add.
  std::string header(64, '\0');
  header[0] = 'M';
  header[1] = 'Z';
  WriteText(folder / "OLDGAME.EXE", header + std::string(448, '\x90'));
  WriteText(folder / "Readme.txt", "Read me.");
  EXPECT_TRUE(IsDosProgram(folder / "OLDGAME.EXE"));
  EXPECT_EQ(GetLinkExtension(folder / "OLDGAME.EXE"), ".pif");
  EXPECT_FALSE(IsDosProgram(HelperPath()));
  EXPECT_EQ(GetLinkExtension(HelperPath()), ".lnk");
  EXPECT_EQ(GetLinkExtension(folder / "Readme.txt"), ".lnk");
  EXPECT_EQ(GetLinkExtension(folder / "missing.exe"), ".lnk");
}

TEST(SpecialFolders, KnownFoldersExistAndEndWithABackslash) {
  for (const std::string& path : {GetPicturesPath(), GetDesktopPath(), GetProgramsMenuPath(),
                                  GetProgramFilesPath(), GetStartupPath()}) {
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), '\\') << path;
    EXPECT_TRUE(MyFileExists(path)) << path;
  }
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  // A folder number the system does not know: empty, and no failure.
  EXPECT_EQ(GetSystemDirectoryPath(0x7E), "");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST(FolderBrowser, ReturnsTheChosenFolderAndKeepsTheTextOnCancel) {
  TTempFolder folder;
  TForm owner(TFormStyle{"TBrowseTestForm", 200, 100}, "Installer");
  owner.Show();

  std::string directory = "C:\\Program Files\\";
  bool ownerDisabled = false;
  {
    TDialogAnswerer browser("Browse for Folder", IDCANCEL,
                            [&](HWND) { ownerDisabled = !IsWindowEnabled(owner.Handle()); });
    EXPECT_FALSE(BrowseDirectory(directory, folder.Path(), ""));
    EXPECT_TRUE(browser.Answered());
  }
  EXPECT_EQ(directory, "C:\\Program Files\\");
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

  // The user picks a folder, from the desktop and from a root of our own.
  const std::string games = folder / "Games";
  MakeDirectory(games);
  for (const std::string& root : {std::string(), folder.Path()}) {
    directory.clear();
    TDialogAnswerer browser("Browse for Folder", IDOK, [&](HWND dialog) {
      Sleep(500);  // the browser fills its tree after it shows
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(games.c_str()));
    });
    EXPECT_TRUE(BrowseDirectory(directory, root, "Install to:")) << root;
    EXPECT_TRUE(browser.Answered());
    EXPECT_TRUE(IsSamePath(directory, games)) << directory << " from root " << root;
  }
}
