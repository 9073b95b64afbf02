#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/statusframe.h"

namespace {

// Records every show instead of opening a dialog.
struct ShowRecorder {
  struct Shown {
    std::string Headline;
    std::string Description;
    std::string RaiseFunction;
  };
  std::vector<Shown> Shows;
  ShowRecorder() {
    TFunStatContext::ShowHandler = [this](const TFunStatContext& context,
                                          const std::string& headline, bool*) {
      Shows.push_back({headline, context.Description, context.RaiseFunction});
      return true;
    };
    FunStatContext.Reset(fsPerfect);
  }
  ~ShowRecorder() { TFunStatContext::ShowHandler = nullptr; }
};

void Callee(bool fail) {
  STATUS_FRAME("Callee");
  frame.Run([&] {
    if (fail) frame.Raise(__LINE__, "Failed to do it.", "C:\\file.txt", "", 5);
  });
}

void Thrower() {
  STATUS_FRAME("Thrower");
  frame.Run([&] { throw std::runtime_error("boom"); });
}

void ProgramErrorThrower() {
  STATUS_FRAME("ProgramErrorThrower");
  frame.Run([&] { THROW_PROGRAM_ERROR("bad data"); });
}

void GenericThrower() {
  STATUS_FRAME("GenericThrower");
  frame.Run([&] { throw 42; });
}

bool Caller(bool calleeFails, bool& wentOn) {
  STATUS_FRAME("Caller");
  wentOn = false;
  frame.Run([&] {
    Callee(calleeFails);
    if (frame.Adopt()) return;
    wentOn = true;
  });
  return !frame.Failed();
}

void ShowingCommand(bool calleeFails) {
  STATUS_FRAME("ShowingCommand");
  frame.Run([&] {
    Callee(calleeFails);
    frame.Adopt();
  });
  frame.ShowStep(__LINE__, "Failed to load game.");
}

}  // namespace

TEST(StatusFrame, SuccessLeavesAPerfectEmptyStatus) {
  ShowRecorder recorder;
  Callee(false);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_TRUE(FunStatContext.RaiseFunction.empty());
  EXPECT_TRUE(FunStatContext.Description.empty());
}

TEST(StatusFrame, AdoptedFailureKeepsTheInnermostRaise) {
  ShowRecorder recorder;
  bool wentOn = true;
  EXPECT_FALSE(Caller(true, wentOn));
  EXPECT_FALSE(wentOn);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.RaiseFunction, "Callee");
  EXPECT_EQ(FunStatContext.Description, "Failed to do it.");
  EXPECT_EQ(FunStatContext.Parameter1, "C:\\file.txt");
  EXPECT_EQ(FunStatContext.SystemErrorCode, 5u);
  EXPECT_TRUE(recorder.Shows.empty());

  EXPECT_TRUE(Caller(false, wentOn));
  EXPECT_TRUE(wentOn);
}

TEST(StatusFrame, ShowStepShowsOnceAndResets) {
  ShowRecorder recorder;
  ShowingCommand(true);
  ASSERT_EQ(recorder.Shows.size(), 1u);
  EXPECT_EQ(recorder.Shows[0].Headline, "Failed to load game.");
  EXPECT_EQ(recorder.Shows[0].Description, "Failed to do it.");
  EXPECT_EQ(recorder.Shows[0].RaiseFunction, "Callee");
  EXPECT_EQ(FunStatContext.Status, fsPerfect);

  ShowingCommand(false);
  EXPECT_EQ(recorder.Shows.size(), 1u);
}

TEST(StatusFrame, CatchStepTurnsExceptionsIntoErrors) {
  ShowRecorder recorder;
  Thrower();
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.Description, "Unhandled exception: boom");
  EXPECT_EQ(FunStatContext.Parameter1, "");
  EXPECT_EQ(FunStatContext.Parameter2, "0");
  EXPECT_EQ(FunStatContext.RaiseFunction, "Thrower");

  ProgramErrorThrower();
  EXPECT_EQ(FunStatContext.Description, "Unhandled exception: bad data");
  EXPECT_EQ(FunStatContext.Parameter1, "statusframe_test.cpp");
  EXPECT_NE(FunStatContext.Parameter2, "0");

  GenericThrower();
  EXPECT_EQ(FunStatContext.Description, "Unhandled generic exception.");
  EXPECT_EQ(FunStatContext.Parameter2, "0");
}

TEST(StatusFrame, UnfinishedOperationLeavesBeginFunctionError) {
  FunStatContext.Reset(fsPerfect);
  {
    STATUS_FRAME("Running");
    EXPECT_EQ(FunStatContext.Status, fsBeginFunctionError);
    EXPECT_EQ(FunStatContext.RaiseFunction, "Running");
    EXPECT_TRUE(FunStatContext.Failed());
  }
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}

TEST(FunStatContext, LastRaiseWinsAndResetKeepsShowAndUserInfo) {
  TFunStatContext context;
  context.Raise("a.cpp", "A", 1, fsError, "First.", "p1", "p2", 3);
  context.Raise("b.cpp", "B", 2, fsWarning, "Second.", "", "", 0);
  EXPECT_EQ(context.Status, fsWarning);
  EXPECT_EQ(context.RaiseFunction, "B");
  EXPECT_EQ(context.Parameter1, "");
  EXPECT_EQ(context.SystemErrorCode, 0u);

  context.NoteShow("show.cpp", "Shower", 9);
  context.UserCode = 4;
  context.Reset(fsError);
  EXPECT_EQ(context.Status, fsError);
  EXPECT_EQ(context.RaiseFile, "");
  EXPECT_EQ(context.ShowFunction, "Shower");
  EXPECT_EQ(context.UserCode, 4);
}

TEST(FunStatContext, AssignAndCopyTreatTheShowLocationApart) {
  TFunStatContext source;
  source.Raise("a.cpp", "A", 1, fsError, "Broken.", "x", "y", 7);
  source.NoteShow("source.cpp", "SourceShow", 11);
  source.UserText = "user";

  TFunStatContext target;
  target.NoteShow("target.cpp", "TargetShow", 22);
  target.Assign(source);
  EXPECT_EQ(target.Description, "Broken.");
  EXPECT_EQ(target.UserText, "user");
  EXPECT_EQ(target.ShowFile, "target.cpp");
  EXPECT_EQ(target.ShowLine, 22);

  TFunStatContext copy(source);
  EXPECT_EQ(copy.Description, "Broken.");
  EXPECT_EQ(copy.ShowFile, "");
  EXPECT_EQ(copy.ShowLine, 0);
}

TEST(FunStatContext, LevelNames) {
  EXPECT_EQ(TFunStatContext::GetStatusText(fsPerfect), "Perfect");
  EXPECT_EQ(TFunStatContext::GetStatusText(fsWarning), "Warning");
  EXPECT_EQ(TFunStatContext::GetStatusText(fsError), "Error");
  EXPECT_EQ(TFunStatContext::GetStatusText(fsBeginFunctionError), "Begin function error");
  EXPECT_EQ(TFunStatContext::GetStatusText(fsPanic), "Panic");
  EXPECT_EQ(TFunStatContext::GetStatusText(fsCatastrophe), "Catastrophe");
  EXPECT_EQ(TFunStatContext::GetStatusText(6), "Unknown function status");
  EXPECT_EQ(TFunStatContext::GetStatusText(-1), "Unknown function status");
}

TEST(FunStatContext, ShowWithoutHandlerOrWithFailingHandlerIsFalse) {
  TFunStatContext context;
  bool noErrors = true;
  TFunStatContext::ShowHandler = nullptr;
  EXPECT_FALSE(context.Show("x", &noErrors));
  EXPECT_FALSE(noErrors);
  TFunStatContext::ShowHandler = [](const TFunStatContext&, const std::string&, bool*) -> bool {
    throw std::runtime_error("dialog broke");
  };
  noErrors = true;
  EXPECT_FALSE(context.Show("x", &noErrors));
  EXPECT_FALSE(noErrors);
  TFunStatContext::ShowHandler = nullptr;
}
