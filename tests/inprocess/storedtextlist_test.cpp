#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/storedtextlist.h"
#include "platform/textfile.h"
#include "tests/support/files.h"
#include "tests/support/showrecorder.h"

namespace {

const char* const Example =
    "[QuiltraGame]\r\nColumnsCount=7\r\nLightGrid=TRUE\r\n\r\n[Map]\r\nC0=1\r\n\r\n";

void WriteExample(TStoredTextList& list) {
  list.Clear();
  list.WriteInteger("QuiltraGame", "ColumnsCount", 7);
  list.WriteBool("QuiltraGame", "LightGrid", true);
  list.WriteInteger("Map", "C0", 1);
}

// Answers the next "Query" box of this process with a button, from a thread
// of its own, and keeps the question it asked.
class TQueryAnswerer {
 public:
  explicit TQueryAnswerer(int button)
      : thread_([this, button] {
          for (int i = 0; i < 1000; ++i) {
            HWND box = FindWindowA("#32770", "Query");
            if (box && IsWindowVisible(box)) {
              char text[1024] = {};
              GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
              Question = text;
              PostMessageA(box, WM_COMMAND, button, 0);
              return;
            }
            Sleep(10);
          }
        }) {}
  ~TQueryAnswerer() { thread_.join(); }
  std::string Question;

 private:
  std::thread thread_;
};

}  // namespace

TEST(StoredTextList, LoadOfAMissingFileGivesEmptyContentsAndCallsTheHook) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  TStoredTextList list(folder.Path() + "Quiltra.ini");
  EXPECT_EQ(list.Contents(), nullptr);
  int loads = 0;
  list.OnLoad = [&](TStoredTextList& loaded) {
    EXPECT_EQ(&loaded, &list);
    ++loads;
  };
  EXPECT_TRUE(list.Load());
  EXPECT_EQ(loads, 1);
  ASSERT_NE(list.Contents(), nullptr);
  EXPECT_TRUE(list.Contents()->Sections().empty());
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_TRUE(recorder.Shows.empty());
}

TEST(StoredTextList, LoadReadsTheFileForTheHook) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  test::WriteText(folder.Path() + "game.qtg",
                  "junk\n[quiltragame]\ncolumnscount=12\rLightGrid=TRUE");
  TStoredTextList list("elsewhere.ini");
  int32_t columns = 7;
  bool light = false;
  list.OnLoad = [&](TStoredTextList& loaded) {
    loaded.ReadInteger("QuiltraGame", "ColumnsCount", columns, 30, 5);
    loaded.ReadBool("QuiltraGame", "LightGrid", light);
  };
  EXPECT_TRUE(list.LoadFrom(folder.Path() + "game.qtg"));
  EXPECT_EQ(list.FilePath, folder.Path() + "game.qtg");
  EXPECT_EQ(columns, 12);
  EXPECT_TRUE(light);
}

TEST(StoredTextList, AFileThatCannotBeReadIsShownAndKeptForTheCaller) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string path = folder.Path() + "locked.ini";
  test::WriteText(path, Example);
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  TStoredTextList list(path);
  bool hookCalled = false;
  list.OnLoad = [&](TStoredTextList&) { hookCalled = true; };
  EXPECT_FALSE(list.Load());
  CloseHandle(lock);

  EXPECT_FALSE(hookCalled);
  EXPECT_EQ(list.Contents(), nullptr);
  ASSERT_EQ(recorder.Shows.size(), 1u);
  EXPECT_EQ(recorder.Shows[0].Headline, "Failed to load file.");
  EXPECT_EQ(recorder.Shows[0].Description, "Failed to open file.");
  EXPECT_EQ(recorder.Shows[0].Parameter1, path);
  EXPECT_EQ(recorder.Shows[0].SystemErrorCode, static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
  // Load keeps the failure it showed.
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "ReadTextFile");

  // An exception from the hook is a failure of Load as well.
  list.OnLoad = [](TStoredTextList&) { throw std::runtime_error("bad hook"); };
  EXPECT_FALSE(list.Load());
  ASSERT_EQ(recorder.Shows.size(), 2u);
  EXPECT_EQ(recorder.Shows[1].Description, "Unhandled exception: bad hook");
  EXPECT_EQ(recorder.Shows[1].RaiseFunction, "TStoredTextList::Load");
}

TEST(StoredTextList, SaveWritesTheFormatThatWindowsReadsToo) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string path = folder.Path() + "Quiltra.ini";
  TStoredTextList list(path);
  int saves = 0;
  list.OnSave = [&](TStoredTextList& saved) {
    ++saves;
    WriteExample(saved);
  };
  EXPECT_TRUE(list.Save(false));
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(test::ReadText(path), Example);
  EXPECT_EQ(folder.Files(), std::vector<std::string>{"Quiltra.ini"});
  EXPECT_TRUE(recorder.Shows.empty());

  char value[64] = {};
  GetPrivateProfileStringA("QuiltraGame", "LightGrid", "", value, sizeof value, path.c_str());
  EXPECT_STREQ(value, "TRUE");
  EXPECT_EQ(GetPrivateProfileIntA("QuiltraGame", "ColumnsCount", 0, path.c_str()), 7u);
  EXPECT_EQ(GetPrivateProfileIntA("map", "c0", 0, path.c_str()), 1u);
}

TEST(StoredTextList, SaveReplacesAReadOnlyFileAndClearsItsAttributes) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string path = folder.Path() + "old.qtg";
  test::WriteText(path, "[Old]\r\nKey=1\r\n\r\n");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  TStoredTextList list(path);
  list.OnSave = WriteExample;
  EXPECT_TRUE(list.Save(false));
  EXPECT_EQ(test::ReadText(path), Example);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_TRUE(recorder.Shows.empty());
}

TEST(StoredTextList, SaveIntoAMissingFolderFailsAndDoesNotCreateIt) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string missing = folder.Path() + "Missing\\";
  TStoredTextList list(missing + "game.qtg");
  list.OnSave = WriteExample;
  EXPECT_FALSE(list.Save(false));
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(recorder.Shows.size(), 1u);
  EXPECT_EQ(recorder.Shows[0].Headline, "Failed to save file.");
  EXPECT_EQ(recorder.Shows[0].RaiseFunction, "WriteTextFileDurably");
  EXPECT_NE(recorder.Shows[0].SystemErrorCode, 0u);
  // Save shows its failure once and hands its caller success.
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST(StoredTextList, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string path = folder.Path() + "Quiltra.ini";
  const std::string old = "[Old]\r\nKey=1\r\n\r\n";
  TStoredTextList list(path);
  list.OnSave = WriteExample;
  for (TDurableWriteStep failing : {TDurableWriteStep::CreateTemporary, TDurableWriteStep::Write,
                                    TDurableWriteStep::Flush, TDurableWriteStep::Replace}) {
    test::WriteText(path, old);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    recorder.Shows.clear();
    bool sawTemporary = false;
    DurableWriteTestHook = [&](TDurableWriteStep step, const std::string& temporary) -> DWORD {
      if (!temporary.empty())
        sawTemporary = GetFileAttributesA(temporary.c_str()) != INVALID_FILE_ATTRIBUTES;
      return step == failing ? ERROR_DISK_FULL : 0;
    };
    EXPECT_FALSE(list.Save(false));
    DurableWriteTestHook = nullptr;

    const int index = static_cast<int>(failing);
    EXPECT_EQ(test::ReadText(path), old) << index;
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"Quiltra.ini"}) << index;
    EXPECT_EQ(sawTemporary, failing != TDurableWriteStep::CreateTemporary) << index;
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << index;
    ASSERT_EQ(recorder.Shows.size(), 1u) << index;
    EXPECT_EQ(recorder.Shows[0].Headline, "Failed to save file.");
    EXPECT_EQ(recorder.Shows[0].SystemErrorCode, static_cast<uint32_t>(ERROR_DISK_FULL));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  // A rename the system refuses: the file is held open by another program.
  test::WriteText(path, old);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  recorder.Shows.clear();
  HANDLE held =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(list.Save(false));
  CloseHandle(held);
  EXPECT_EQ(test::ReadText(path), old);
  EXPECT_EQ(folder.Files(), std::vector<std::string>{"Quiltra.ini"});
  EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  ASSERT_EQ(recorder.Shows.size(), 1u);
  EXPECT_EQ(recorder.Shows[0].Description, "Failed to replace file.");
  EXPECT_NE(recorder.Shows[0].SystemErrorCode, 0u);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

  // Held for a moment only, as antivirus or cloud sync hold a new file: the
  // replace is tried again and the save goes through.
  recorder.Shows.clear();
  held =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(300);
    CloseHandle(held);
  });
  EXPECT_TRUE(list.Save(false));
  release.join();
  EXPECT_NE(test::ReadText(path), old);
  EXPECT_TRUE(recorder.Shows.empty());

  // An exception from the hook: nothing is written either.
  test::WriteText(path, old);
  recorder.Shows.clear();
  list.OnSave = [](TStoredTextList&) { throw std::runtime_error("no values"); };
  EXPECT_FALSE(list.Save(false));
  EXPECT_EQ(test::ReadText(path), old);
  ASSERT_EQ(recorder.Shows.size(), 1u);
  EXPECT_EQ(recorder.Shows[0].Description, "Unhandled exception: no values");
}

TEST(StoredTextList, TheOverwriteQuestionGuardsAnExistingFile) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string path = folder.Path() + "game.qtg";
  const std::string old = "[Old]\r\nKey=1\r\n\r\n";
  test::WriteText(path, old);
  TStoredTextList list(path);
  int saves = 0;
  list.OnSave = [&](TStoredTextList& saved) {
    ++saves;
    WriteExample(saved);
  };
  {
    TQueryAnswerer answer(IDNO);
    EXPECT_FALSE(list.Save(true));
  }
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(test::ReadText(path), old);
  EXPECT_TRUE(recorder.Shows.empty());
  {
    TQueryAnswerer answer(IDYES);
    EXPECT_TRUE(list.SaveAs(path, true));
    EXPECT_EQ(answer.Question, "File \"" + path + "\"already exists.\nOverwrite it?");
  }
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(test::ReadText(path), Example);
  // No file, no question.
  EXPECT_TRUE(list.SaveAs(folder.Path() + "new.qtg", true));
  EXPECT_EQ(test::ReadText(folder.Path() + "new.qtg"), Example);
}

TEST(StoredTextList, SaveAsTakesTheFilesContentsOnlyWhenTheListHasNone) {
  test::TTempFolder folder;
  test::TShowRecorder recorder;
  const std::string first = folder.Path() + "first.ini";
  test::WriteText(first, "before=1\r\n;note\r\n[Keep]\r\nA=1\r\n");
  TStoredTextList list("never-read.ini");
  EXPECT_TRUE(list.SaveAs(first, false));
  EXPECT_EQ(list.FilePath, first);
  // Without a hook the file comes back as the format writes it.
  EXPECT_EQ(test::ReadText(first), "[Keep]\r\nA=1\r\n\r\n");

  list.WriteInteger("Keep", "B", -2);
  const std::string second = folder.Path() + "second.ini";
  test::WriteText(second, "[Other]\r\nX=1\r\n");
  EXPECT_TRUE(list.SaveAs(second, false));
  EXPECT_EQ(test::ReadText(second), "[Keep]\r\nA=1\r\nB=-2\r\n\r\n");
  EXPECT_TRUE(recorder.Shows.empty());
}
