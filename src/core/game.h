// The game: the board and its counters, and the rules that change them. It
// knows nothing of windows: a front end turns the player's input into cells,
// asks what the input means (CanPickUp, PlanDrop, CanFlip), lets the game do
// it (Play, Flip) and repaints the cells the answer names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "board.h"
#include "shuffle.h"

// A cell of the grid, counted from 0; (-1, -1) is none.
struct TCellPos {
  int Column = -1;
  int Row = -1;
  friend bool operator==(const TCellPos&, const TCellPos&) = default;
};

// Swapping the piece in From with the one in To.
struct TMove {
  TCellPos From;
  TCellPos To;
};

// What a drop did. Only the piece dropped is judged: a drop that does not
// bring it home is a wrong move, whatever the piece sent back does.
enum class TDropOutcome { Refused, Moved, MovedWrongly, Solved };

enum class TFlip { Horizontally, Vertically };

class TGame {
 public:
  const TBoard& Board() const { return board_; }

  // --- the grid ---
  int Columns() const { return board_.ResultedColumns; }
  int Rows() const { return board_.ResultedRows; }
  bool InPlayArea(TCellPos cell) const { return board_.InPlayArea(cell.Column, cell.Row); }
  // A cell of the play area holding its own piece.
  bool IsHome(TCellPos cell) const;
  // The piece in a cell of the play area.
  const TCell& PieceIn(TCellPos cell) const { return board_.Map[cell.Column][cell.Row]; }

  // --- what an input means ---
  // A piece can be picked up (dragged, mirrored) when it is misplaced.
  bool CanPickUp(TCellPos cell) const;
  // The piece picked up in source dropped on target: a swap, or nothing when
  // either cell is outside the play area, they are the same cell, or the
  // target holds its own piece.
  std::optional<TMove> PlanDrop(TCellPos source, TCellPos target) const;
  bool CanFlip(TCellPos cell) const { return CanPickUp(cell); }

  // --- doing it ---
  // A planned move: one more move, one more wrong one when the piece dropped
  // did not land home, and the game modified. A move the rules do not allow
  // (any more) is refused and changes nothing.
  TDropOutcome Play(const TMove& move);
  // PlanDrop and Play in one.
  TDropOutcome Drop(TCellPos source, TCellPos target);
  // Mirrors a misplaced piece; false, and nothing changes, otherwise. A
  // flip is no move and leaves the modified mark as it is.
  bool Flip(TCellPos cell, TFlip axis);

  // --- the grid's life ---
  // The grid chosen for the next picture.
  int ChosenColumns() const { return board_.ColumnsCount; }
  int ChosenRows() const { return board_.RowsCount; }
  void ChooseGrid(int columns, int rows);
  // The grid a picture was cut into; the map is left as it is.
  void SetPlayArea(int columns, int rows);
  // Every piece of the play area home, unmirrored.
  void PutPiecesHome();
  // A new round: the counters restart, the pieces of the play area are
  // scattered from the random source (and mirrored, when allowed), and the
  // game is modified.
  void Shuffle(bool allowFlip, const TRandomSource& random);

  // --- counters ---
  int32_t Moves() const { return board_.MovesCount; }
  int32_t WrongMoves() const { return board_.WrongMoves; }
  bool Modified() const { return board_.GameModified; }
  int Remaining() const { return board_.CountRemainingPieces(); }
  bool Solved() const { return Remaining() == 0; }
  // A new game: no moves, not modified. The wrong moves are reset apart.
  void ResetCounters();
  void ResetWrongMoves() { board_.WrongMoves = 0; }
  void SetModified(bool modified) { board_.GameModified = modified; }

  // --- the status labels ---
  std::string MovesLabel() const { return MovesText(Moves()); }
  std::string WrongMovesLabel() const { return WrongMovesText(WrongMoves()); }
  std::string RemainingLabel() const { return RemainingText(Remaining()); }

  // The whole board as a game file held it (gamefile.h).
  static TGame FromBoard(const TBoard& board);

 private:
  // The session's history puts cells and counters back as they were.
  friend class TPlaySession;
  TBoard board_;
};
