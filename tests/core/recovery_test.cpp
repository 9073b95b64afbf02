#include <gtest/gtest.h>

#include "core/recovery.h"

using TAction = TRecoveryKeeper::TAction;

// A game's life, ask by ask: the copy is written once a change has rested for
// one ask, never twice for the same game, and removed once the game is no
// longer modified.
TEST(RecoveryKeeper, WritesARestedChangeOnceAndRemovesTheCopyOfAnUnmodifiedGame) {
  TRecoveryKeeper keeper;
  const struct {
    bool Modified;
    const char* Text;
    TAction Expected;
  } asks[] = {
      {false, "", TAction::None},       // a new game: nothing to keep
      {true, "a", TAction::None},       // changed: not yet
      {true, "ab", TAction::None},      // changed again (a drag of several moves)
      {true, "ab", TAction::Write},     // rested
      {true, "ab", TAction::None},      // written already
      {true, "abc", TAction::None},     // another move
      {true, "abc", TAction::Write},    //
      {false, "", TAction::Remove},     // saved
      {false, "", TAction::None},       // removed already
      {true, "x", TAction::None},       // played on
      {true, "x", TAction::Write},      // (the write fails below)
      {true, "x", TAction::None},       // tried: not again until the game changes
      {true, "xy", TAction::None},      //
      {true, "xy", TAction::Write},     //
  };
  int index = 0;
  for (const auto& ask : asks) {
    const TAction action = keeper.Tick(ask.Modified, ask.Text);
    EXPECT_EQ(action, ask.Expected) << "ask " << index;
    if (action == TAction::Write) keeper.Wrote(ask.Text);
    if (action == TAction::Remove) keeper.Removed();
    ++index;
  }
}
