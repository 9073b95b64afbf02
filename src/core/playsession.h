// One play session: the game, the settings in force, the player's hand and
// the history that Undo and Redo walk. Every input enters here as cells of
// either view (the window turns pixels into cells) and is answered with what
// changed, which the window shows in one refresh. The window keeps no game
// state of its own.
//
// An input is first interpreted (what it would do, nothing changed), then
// carried out; the game checks a move again when it plays it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game.h"
#include "keyboardplay.h"
#include "shiftstate.h"

enum class TView { Puzzle, Original };
enum class TPointerButton { Left, Right };

// The keys of play, as the window reads them from the keyboard; the first
// eight are the cursor's steps (TCursorStep), in its order.
enum class TPlayKey {
  Left, Right, Up, Down, RowFirst, RowLast, BoardFirst, BoardLast,
  PickUpOrDrop,  // Enter
  DropHome,      // O: the held piece to its place in the original view
  PutBack,       // Esc
  MirrorHorizontally,
  MirrorVertically,
  Mark,
};

// The tip the window shows above the counters.
enum class TTip { Load, Randomize, Drag };

// The settings the player chooses with the window's controls. The grid
// applies to the next picture cut; the light grid to every frame drawn.
struct TPlaySettings {
  int Columns = kDefaultGridCount;
  int Rows = kDefaultGridCount;
  bool LightGrid = false;
  bool AllowFlip = false;
  std::string PictureTitle;
};

// What an input changed, for the window to show.
struct TPlayChange {
  TDropOutcome Outcome = TDropOutcome::Refused;
  // Cells whose pieces and frames are drawn again (frames plain).
  std::vector<TCellPos> Pieces;
  // Every piece and both grids drawn again.
  bool WholeBoard = false;
  // Both grids' frames drawn again (plain).
  bool Grids = false;
  // The clean picture shown: the board is solved.
  bool SolvedPicture = false;
  // The mark's frames: the cell left (plain again) and the cell marked.
  TCellPos Unmarked;
  TCellPos Marked;
  // Cells whose frames in the original view are drawn again: their piece
  // came home or left it, or the mark shown there goes.
  std::vector<TCellPos> OriginalFrames;
  // Cells where the keyboard cursor was and is (drawn while the view has
  // the focus), and where a piece held from the keyboard was or is.
  std::vector<TCellPos> CursorCells;
  std::vector<TCellPos> HeldCells;
  bool Counters = false;  // the moves, wrong moves and remaining labels
  bool Tips = false;
  bool Position = false;  // the position label shows the cursor's cell
  bool StartDrag = false;
  bool Beep = false;
};

class TPlaySession {
 public:
  const TGame& Game() const { return game_; }
  const TPlaySettings& Settings() const { return settings_; }

  // --- settings, as the controls change them ---
  void ChooseGrid(int columns, int rows);
  void SetLightGrid(bool light) { settings_.LightGrid = light; }
  void SetAllowFlip(bool allow) { settings_.AllowFlip = allow; }
  void SetPictureTitle(const std::string& title) { settings_.PictureTitle = title; }
  // Both grids drawn again, as a new light grid needs: the mark's frames go.
  TPlayChange RedrawGrids();

  // --- what is shown ---
  TTip Tip() const { return shown_.Tip; }
  // The counters' labels; empty while a new picture waits for Randomize.
  std::string MovesLabel() const;
  std::string WrongMovesLabel() const;
  std::string RemainingLabel() const;
  // Whether the marked cell's red frames are on screen.
  bool MarkShown() const { return markShown_; }
  TCellPos Marked() const { return marked_; }
  TCellPos Cursor() const { return keys_.Cursor(); }
  // The piece held by the pointer or the keys; none while nothing is.
  TCellPos Held() const { return held_; }
  bool HeldByKeys() const { return held_ != TCellPos{} && heldByKeys_; }
  bool Dragging() const { return held_ != TCellPos{} && !heldByKeys_; }

  // --- a new game: each starts an empty history ---
  // A picture cut into a play area with every piece home.
  void NewPicture(int columns, int rows);
  // A game read from a file; it keeps the modified mark given.
  void LoadGame(const TGame& game, bool modified);
  // After saving: the game as written.
  void SetModified(bool modified) { game_.SetModified(modified); }

  // --- the pointer ---
  TPlayChange PointerPressed(TView view, TCellPos cell, TPointerButton button, TShiftState shift);
  // While a piece is dragged: whether a release over the cell would move it.
  bool PointerOver(TView view, TCellPos cell);
  // The dragged piece released over a cell of a view (TCellPos{} for none).
  TPlayChange PointerReleased(TView view, TCellPos cell);

  // --- the keyboard ---
  TPlayChange Key(TPlayKey key);

  // --- commands ---
  TPlayChange Randomize(const TRandomSource& random);
  bool CanUndo() const { return !undo_.empty() && !Dragging(); }
  bool CanRedo() const { return !redo_.empty() && !Dragging(); }
  TPlayChange Undo();
  TPlayChange Redo();

 private:
  // What the window shows beside the board, kept with each step.
  struct TShown {
    TTip Tip = TTip::Load;
    bool Counters = false;
  };
  // One step of the history: the cells it changed and the counters, each
  // before and after.
  struct TCellChange {
    TCellPos Cell;
    TCell Before;
    TCell After;
  };
  struct TStep {
    std::vector<TCellChange> Cells;
    int32_t MovesBefore = 0, MovesAfter = 0;
    int32_t WrongBefore = 0, WrongAfter = 0;
    TShown ShownBefore, ShownAfter;
  };

  TPlayChange Release(TCellPos target);
  TPlayChange Flip(TCellPos cell, TFlip axis);
  TPlayChange Mark(TCellPos cell);
  TPlayChange MoveCursor(TCursorStep step);
  // The hand let go, its keyboard frame drawn again.
  void LetGo(TPlayChange& change);
  // A step done: recorded, and nothing left to redo.
  void Record(TStep step);
  TStep Begin() const;
  void Finish(TStep& step);
  // Undo (backwards) or Redo.
  TPlayChange Walk(const TStep& step, bool backwards);
  // Whether each cell holds its own piece.
  std::vector<bool> HomeOf(const std::vector<TCellPos>& cells) const;
  // The cells whose original-view frames change: home no more or newly, or
  // marked.
  std::vector<TCellPos> FramesChanged(const std::vector<TCellPos>& cells,
                                      const std::vector<bool>& wasHome) const;
  // The mark is drawn over by a change of these cells.
  void NoteRedrawn(const TPlayChange& change);
  void StartHistory();

  TGame game_;
  TPlaySettings settings_;
  TShown shown_;
  TKeyboardPlay keys_;
  TCellPos held_;
  bool heldByKeys_ = false;
  // The drop planned for the cell the dragged piece is over.
  TCellPos hoverCell_;
  std::optional<TMove> hoverMove_;
  TCellPos marked_{0, 0};
  bool markShown_ = false;
  std::vector<TStep> undo_;
  std::vector<TStep> redo_;
  size_t undoCells_ = 0;
};
