// The play session natively: the pointer and the keys playing through one
// path, refusals, the mark, and Undo and Redo of every kind of step.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "core/playsession.h"
#include "tests/support/boards.h"

namespace {

TCellPos At(int column, int row) {
  return TCellPos{column, row};
}

// A session playing the window tests' 7 x 7 game: (0,0) and (1,0) exchanged,
// pieces (1,2), (2,2), (0,2) in cells 0 to 2 of row 2.
TPlaySession Misplaced() {
  TPlaySession session;
  session.LoadGame(test::MisplacedGame(), false);
  return session;
}

TPlayChange Drag(TPlaySession& session, TCellPos source, TCellPos target,
                 TView view = TView::Puzzle) {
  session.PointerPressed(TView::Puzzle, source, TPointerButton::Left, TShiftState{ssLeft});
  session.PointerOver(view, target);
  return session.PointerReleased(view, target);
}

void CursorTo(TPlaySession& session, TCellPos cell) {
  session.Key(TPlayKey::BoardFirst);
  for (int column = 0; column < cell.Column; ++column) session.Key(TPlayKey::Right);
  for (int row = 0; row < cell.Row; ++row) session.Key(TPlayKey::Down);
}

TPlayChange KeyMove(TPlaySession& session, TCellPos source, TCellPos target) {
  CursorTo(session, source);
  session.Key(TPlayKey::PickUpOrDrop);
  CursorTo(session, target);
  return session.Key(TPlayKey::PickUpOrDrop);
}

// The board and the three counters, as a player sees them.
struct TSeen {
  std::vector<std::tuple<int, int, int, int>> Cells;
  std::string Moves, Wrong, Remaining;
  TTip Tip;
  friend bool operator==(const TSeen&, const TSeen&) = default;
};

TSeen Seen(const TPlaySession& session) {
  TSeen seen{{}, session.MovesLabel(), session.WrongMovesLabel(), session.RemainingLabel(),
             session.Tip()};
  const TGame& game = session.Game();
  for (int row = 0; row < game.Rows(); ++row)
    for (int column = 0; column < game.Columns(); ++column)
      seen.Cells.emplace_back(game.PieceIn(At(column, row)).C, game.PieceIn(At(column, row)).R,
                              game.PieceIn(At(column, row)).FH, game.PieceIn(At(column, row)).FV);
  return seen;
}

TEST(PlaySession, ThePointerAndTheKeysReachTheSameOutcomes) {
  using O = TDropOutcome;
  for (const auto& [source, target, outcome] : std::initializer_list<std::tuple<TCellPos, TCellPos, O>>{
           {At(0, 0), At(1, 0), O::Moved},
           {At(0, 2), At(2, 2), O::MovedWrongly},
           {At(0, 2), At(4, 4), O::Refused},  // a piece in place
           {At(0, 2), At(0, 2), O::Refused},  // its own cell
       }) {
    TPlaySession pointer = Misplaced(), keys = Misplaced();
    const TPlayChange dragged = Drag(pointer, source, target);
    const TPlayChange keyed = KeyMove(keys, source, target);
    EXPECT_EQ(dragged.Outcome, outcome);
    EXPECT_EQ(keyed.Outcome, outcome);
    EXPECT_TRUE(Seen(pointer) == Seen(keys));
    EXPECT_EQ(pointer.Game().Moves(), keys.Game().Moves());
    EXPECT_FALSE(pointer.Dragging());
    if (outcome == O::Refused) {
      // Nothing changes; the keys keep the piece (and beep), the pointer lets go.
      EXPECT_TRUE(Seen(pointer) == Seen(Misplaced()));
      EXPECT_FALSE(pointer.CanUndo());
      EXPECT_TRUE(keyed.Beep || target == source);
      EXPECT_EQ(keys.HeldByKeys(), target != source);
    } else {
      EXPECT_EQ(dragged.Pieces, (std::vector<TCellPos>{target, source}));
      EXPECT_TRUE(dragged.Counters);
      EXPECT_TRUE(pointer.Game().Modified());
    }
  }
  // The original view names the same cells.
  TPlaySession session = Misplaced();
  EXPECT_EQ(Drag(session, At(0, 0), At(1, 0), TView::Original).Outcome, O::Moved);
}

TEST(PlaySession, ADragIsPlannedOnceForEachCellAndTheHandIsOne) {
  TPlaySession session = Misplaced();
  // A piece picked up from the keyboard is let go when the pointer takes one.
  CursorTo(session, At(0, 2));
  session.Key(TPlayKey::PickUpOrDrop);
  EXPECT_TRUE(session.HeldByKeys());
  const TPlayChange press =
      session.PointerPressed(TView::Puzzle, At(0, 0), TPointerButton::Left, TShiftState{ssLeft});
  EXPECT_TRUE(press.StartDrag);
  EXPECT_EQ(session.Cursor(), At(0, 0));
  EXPECT_TRUE(session.Dragging());
  EXPECT_FALSE(session.HeldByKeys());
  EXPECT_TRUE(session.PointerOver(TView::Puzzle, At(1, 0)));
  EXPECT_FALSE(session.PointerOver(TView::Original, At(4, 4)));
  // Keys, Undo and Randomize wait while the pointer holds a piece.
  EXPECT_TRUE(session.Key(TPlayKey::Right).CursorCells.empty());
  EXPECT_FALSE(session.CanUndo());
  // Released outside the views: nothing held, nothing moved.
  EXPECT_EQ(session.PointerReleased(TView::Puzzle, TCellPos{}).Outcome, TDropOutcome::Refused);
  EXPECT_FALSE(session.Dragging());
  EXPECT_EQ(session.Game().Moves(), 0);
}

TEST(PlaySession, MarksMoveAndAreHiddenWhenTheirCellIsDrawnAgain) {
  TPlaySession session = Misplaced();
  EXPECT_EQ(session.Marked(), At(0, 0));
  TPlayChange change =
      session.PointerPressed(TView::Original, At(3, 4), TPointerButton::Right, TShiftState{});
  EXPECT_EQ(change.Unmarked, At(0, 0));
  EXPECT_EQ(change.Marked, At(3, 4));
  EXPECT_TRUE(session.MarkShown());
  CursorTo(session, At(1, 0));
  EXPECT_EQ(session.Key(TPlayKey::Mark).Marked, At(1, 0));
  Drag(session, At(0, 0), At(1, 0));
  EXPECT_FALSE(session.MarkShown());
}

TEST(PlaySession, UndoAndRedoWalkEveryKindOfStep) {
  int next = 1;
  const TRandomSource random{[&next] { return next++ * 7919; }, [] { return uint8_t{1}; }};
  using TStepFn = std::function<TPlayChange(TPlaySession&)>;
  const std::initializer_list<std::pair<const char*, TStepFn>> steps = {
      {"swap", [](TPlaySession& s) { return Drag(s, At(0, 0), At(1, 0)); }},
      {"wrong move", [](TPlaySession& s) { return Drag(s, At(0, 0), At(0, 2)); }},
      {"mirror", [](TPlaySession& s) {
         return s.PointerPressed(TView::Puzzle, At(0, 0), TPointerButton::Left,
                                 TShiftState{ssLeft | ssCtrl});
       }},
      {"randomize", [&random](TPlaySession& s) { return s.Randomize(random); }},
  };
  for (const auto& [name, step] : steps) {
    TPlaySession session = Misplaced();
    Drag(session, At(0, 2), At(1, 2));  // one step already made
    const TSeen before = Seen(session);
    step(session);
    const TSeen after = Seen(session);
    ASSERT_FALSE(before == after) << name;
    session.SetModified(false);

    const TPlayChange undone = session.Undo();
    EXPECT_TRUE(Seen(session) == before) << name;
    EXPECT_TRUE(session.Game().Modified()) << name;
    EXPECT_TRUE(undone.Counters);
    EXPECT_TRUE(session.CanRedo());
    session.Redo();
    EXPECT_TRUE(Seen(session) == after) << name;
  }
}

TEST(PlaySession, ASolvedGameIsUndoneIntoPlayAndRedoneSolved) {
  TPlaySession session = Misplaced();
  Drag(session, At(0, 0), At(1, 0));
  Drag(session, At(0, 2), At(1, 2));
  const TSeen before = Seen(session);
  const TPlayChange solved = Drag(session, At(0, 2), At(2, 2));
  EXPECT_EQ(solved.Outcome, TDropOutcome::Solved);
  EXPECT_TRUE(solved.SolvedPicture);
  EXPECT_EQ(session.Tip(), TTip::Load);

  const TPlayChange undone = session.Undo();
  EXPECT_TRUE(Seen(session) == before);
  EXPECT_EQ(session.Tip(), TTip::Drag);
  EXPECT_TRUE(undone.WholeBoard);  // the clean picture covered every frame
  EXPECT_EQ(session.Game().Moves(), 2);
  const TPlayChange redone = session.Redo();
  EXPECT_TRUE(redone.SolvedPicture);
  EXPECT_EQ(session.RemainingLabel(), "The puzzle is solved.");
  EXPECT_EQ(session.Game().Moves(), 3);
}

TEST(PlaySession, ANewStepClearsRedoAndANewGameTheHistory) {
  TPlaySession session = Misplaced();
  Drag(session, At(0, 0), At(1, 0));
  Drag(session, At(0, 2), At(2, 2));
  session.Undo();
  EXPECT_TRUE(session.CanRedo());
  Drag(session, At(0, 2), At(1, 2));
  EXPECT_FALSE(session.CanRedo());
  EXPECT_EQ(session.Redo().Counters, false);  // nothing to redo: nothing happens

  session.NewPicture(5, 5);
  EXPECT_FALSE(session.CanUndo());
  EXPECT_EQ(session.Tip(), TTip::Randomize);
  EXPECT_EQ(session.MovesLabel(), "");
  session.LoadGame(test::MisplacedGame(), true);
  EXPECT_FALSE(session.CanUndo());
  EXPECT_TRUE(session.Game().Modified());
}

}  // namespace
