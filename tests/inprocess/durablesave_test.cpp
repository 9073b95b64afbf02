// A save interrupted by the death of the process, at every step and at random
// moments while a large list is written, leaves the old file or the new one,
// complete, and never a part of either.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "platform/storedtextlist.h"
#include "platform/textfile.h"
#include "tests/support/files.h"
#include "tests/support/showrecorder.h"

namespace {

const char* const ChildTarget = "QUILTRA_DURABLE_TARGET";
const char* const ChildDieAt = "QUILTRA_DURABLE_DIE_AT";
const char* const ChildReady = "QUILTRA_DURABLE_READY";

// A game-sized list made large: every version has its own values, so the
// file shows which save it came from.
void WriteBigList(TStoredTextList& list, int version) {
  list.Clear();
  list.WriteInteger("QuiltraGame", "Version", version);
  for (int n = 0; n < 60000; ++n) {
    const std::string suffix = std::to_string(n);
    list.WriteInteger("Map", std::string("C").append(suffix), n * 7 + version);
    list.WriteString(
        "Map", std::string("T").append(suffix),
        std::string("version ").append(std::to_string(version)).append(" of cell ").append(suffix));
  }
}

std::string BigListText(int version) {
  TStoredTextList list("");
  WriteBigList(list, version);
  return list.Contents()->Format();
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Runs this test program again as the saving child below.
class TChild {
 public:
  TChild(const std::string& target, int dieAt, const std::string& readyEvent) {
    SetEnvironmentVariableA(ChildTarget, target.c_str());
    SetEnvironmentVariableA(ChildDieAt, std::to_string(dieAt).c_str());
    SetEnvironmentVariableA(ChildReady, readyEvent.c_str());
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = std::string("\"") + program +
                              "\" --gtest_filter=DurableSaveChild.SavesUntilKilled --gtest_brief=1";
    // The child's own test output would only clutter ours.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    started_ = CreateProcessA(program, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                              nullptr, &startup, &process_) != FALSE;
    CloseHandle(nul);
    SetEnvironmentVariableA(ChildTarget, nullptr);
    SetEnvironmentVariableA(ChildDieAt, nullptr);
    SetEnvironmentVariableA(ChildReady, nullptr);
  }
  ~TChild() {
    if (!started_) return;
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 30000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  bool Started() const { return started_; }
  HANDLE Process() const { return process_.hProcess; }
  // Waits for the end and gives the exit code, or -1 after the time.
  long Wait(DWORD milliseconds) {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }
  void Kill() {
    TerminateProcess(process_.hProcess, 9);
    WaitForSingleObject(process_.hProcess, 30000);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

}  // namespace

// The child: saves versions 2 and 1 by turns until it is killed, or kills
// itself at the step it is told to.
TEST(DurableSaveChild, SavesUntilKilled) {
  const std::string target = Environment(ChildTarget);
  if (target.empty()) GTEST_SKIP() << "runs only as the child of the tests below";
  const int dieAt = std::atoi(Environment(ChildDieAt).c_str());
  DurableWriteTestHook = [dieAt](TDurableWriteStep step, const std::string&) -> DWORD {
    if (static_cast<int>(step) == dieAt) TerminateProcess(GetCurrentProcess(), 3);
    return 0;
  };
  // A failed save must not wait for anyone to close a box.
  TFunStatContext::ShowHandler = [](const TFunStatContext&, const std::string&, bool*) -> bool {
    TerminateProcess(GetCurrentProcess(), 4);
    return false;
  };
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, Environment(ChildReady).c_str());
  // Both versions are made once, so that the time goes into saving them.
  TStoredTextList lists[2] = {TStoredTextList(target), TStoredTextList(target)};
  WriteBigList(lists[0], 2);
  WriteBigList(lists[1], 1);
  for (int saves = 0;; ++saves) {
    (void)lists[saves % 2].Save(false);  // until the parent ends this process
    if (saves == 0 && ready) SetEvent(ready);
  }
}

TEST(DurableSave, DeathAtEveryStepLeavesTheOldFileWhole) {
  test::TTempFolder folder;
  const std::string path = folder.Path() + "game.qtg";
  const std::string old = BigListText(1);
  for (TDurableWriteStep step : {TDurableWriteStep::CreateTemporary, TDurableWriteStep::Write,
                                 TDurableWriteStep::Flush, TDurableWriteStep::Replace}) {
    test::WriteText(path, old);
    TChild child(path, static_cast<int>(step), "");
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(60000), 3) << static_cast<int>(step);
    EXPECT_TRUE(test::ReadText(path) == old) << static_cast<int>(step);
  }
}

TEST(DurableSave, DeathAtRandomMomentsLeavesTheOldOrTheNewFileComplete) {
  test::TTempFolder folder;
  const std::string path = folder.Path() + "game.qtg";
  const std::string version1 = BigListText(1);
  const std::string version2 = BigListText(2);
  test::WriteText(path, version1);
  const std::string eventName = "QuiltraDurableReady" + std::to_string(GetCurrentProcessId());
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  ASSERT_NE(ready, nullptr);

  std::mt19937 random(20240601);
  int found[3] = {0, 0, 0};
  const int rounds = 24;
  for (int round = 0; round < rounds; ++round) {
    ResetEvent(ready);
    TChild child(path, -1, eventName);
    ASSERT_TRUE(child.Started());
    HANDLE waits[2] = {ready, child.Process()};
    ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, 60000), WAIT_OBJECT_0)
        << "the child ended or hung before its first save";
    Sleep(std::uniform_int_distribution<DWORD>(0, 150)(random));
    child.Kill();

    const std::string text = test::ReadText(path);
    const int which = text == version1 ? 1 : text == version2 ? 2 : 0;
    ++found[which];
    EXPECT_NE(which, 0) << "round " << round << ": a partial file of " << text.size() << " bytes";
  }
  CloseHandle(ready);
  std::cout << "[          ] killed " << rounds << " saves: old version left " << found[1]
            << " times, new version " << found[2] << " times\n";
}
