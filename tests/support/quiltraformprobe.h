// The main window with its protected parts opened, for the in-process tests
// of its wiring and the benchmarks: what a handler shows, paints and writes.
// The game's rules and the play session are tested natively (tests/core);
// every change of the game here goes through the session.
#pragma once

#include <string>

#include "game/quiltraform.h"
#include "platform/gdiplus.h"
#include "tests/support/testpicture.h"

namespace test {

// GDI+ running before the window is made, as WinMain runs it.
struct TGdiplusForWindow {
  TGdiplusSession Gdiplus;
};

class TQuiltraFormProbe : private TGdiplusForWindow, public TQuiltraForm {
 public:
  TQuiltraFormProbe() : TQuiltraForm(Gdiplus) {}

  // Components.
  using TQuiltraForm::AllowFlipCheckBox;
  using TQuiltraForm::BackupPictureImage;
  using TQuiltraForm::ColumnsCountComboBox;
  using TQuiltraForm::LightGridCheckBox;
  using TQuiltraForm::LoadGameDialog;
  using TQuiltraForm::MovesCountLabel;
  using TQuiltraForm::OriginalPictureImage;
  using TQuiltraForm::PositionLabel;
  using TQuiltraForm::PuzzlePictureGroupBox;
  using TQuiltraForm::PuzzlePictureImage;
  using TQuiltraForm::RemainingCountLabel;
  using TQuiltraForm::RowsCountComboBox;
  using TQuiltraForm::SaveGameDialog;
  using TQuiltraForm::TipsLabel;
  using TQuiltraForm::WrongMovesLabel;
  // State.
  using TQuiltraForm::GameList;
  using TQuiltraForm::LastGameTitle;
  using TQuiltraForm::OptionsList;
  using TQuiltraForm::PictureTitle;
  // Handlers and commands.
  using TQuiltraForm::ArrangeWindow;
  using TQuiltraForm::CheckSave;
  using TQuiltraForm::ComputePieceSize;
  using TQuiltraForm::DrawAllPieces;
  using TQuiltraForm::DrawGrids;
  using TQuiltraForm::FormCloseQuery;
  using TQuiltraForm::Game;
  using TQuiltraForm::LoadGameFrom;
  using TQuiltraForm::LoadGameFromPicture;
  using TQuiltraForm::LoadLastGameMenuClick;
  using TQuiltraForm::LoadPicture;
  using TQuiltraForm::OriginalCellAt;
  using TQuiltraForm::OriginalPictureImageDragDrop;
  using TQuiltraForm::OriginalPictureImageDragOver;
  using TQuiltraForm::OriginalPictureImageMouseDown;
  using TQuiltraForm::OriginalPictureImageMouseMove;
  using TQuiltraForm::PastePictureMenuClick;
  using TQuiltraForm::PuzzlePictureImageDragDrop;
  using TQuiltraForm::PuzzlePictureImageDragOver;
  using TQuiltraForm::PuzzlePictureImageMouseDown;
  using TQuiltraForm::PuzzlePictureImageMouseMove;
  using TQuiltraForm::RandomizeMenuClick;
  using TQuiltraForm::ReadOptions;
  using TQuiltraForm::RedoMenuClick;
  using TQuiltraForm::SaveGame;
  using TQuiltraForm::SaveGameCommand;
  using TQuiltraForm::SetTips;
  using TQuiltraForm::ShowCounters;
  using TQuiltraForm::UndoMenuClick;
  using TQuiltraForm::WriteOptions;

  // Arranges the window as at start and loads a picture of 7 x 7 cells of
  // known colours (written to the path), cut exactly into its pieces.
  bool StartOnCells(const std::string& picture) {
    ArrangeWindow();
    ComputePieceSize();
    if (!testpicture::WriteGridPicture(picture, 7, 7, piece_.Width, piece_.Height)) return false;
    LoadGameFromPicture(picture);
    return true;
  }

  const TBoard& Board() const { return Game().Board(); }
  TPieceSize Piece() const { return piece_; }
  TCellPos Source() const { return session_.Held(); }
  TCellPos Marked() const { return session_.Marked(); }

  // A game arranged by hand, shown as a loaded game is: the board with its
  // counters and modified mark.
  void ArrangeGame(const TBoard& board) {
    session_.LoadGame(TGame::FromBoard(board), board.GameModified);
    DrawAllPieces();
    DrawGrids(false);
    ShowCounters();
    SetTips(kTipsDrag);
  }
  // The game arranged with two pieces exchanged, or other counters; modified.
  void Swap(TCellPos first, TCellPos second) {
    TBoard board = Board();
    board.SwapCells(first.Column, first.Row, second.Column, second.Row);
    ArrangeGame(board);
  }
  void SetCounters(int32_t moves, int32_t wrongMoves) {
    TBoard board = Board();
    board.MovesCount = moves;
    board.WrongMoves = wrongMoves;
    ArrangeGame(board);
  }
  void SetModified(bool modified) { session_.SetModified(modified); }
  // An item chosen as the player chooses it.
  static void Choose(TComboBox* box, const std::string& item) {
    box->SelectText(item);
    if (box->OnChange) box->OnChange();
  }
  // A piece mirrored as a Ctrl- or Shift-click mirrors it.
  void Flip(TCellPos cell, TFlip axis) {
    Press(cell, TShiftState(static_cast<uint8_t>(
                    ssLeft | (axis == TFlip::Horizontally ? ssCtrl : ssShift))));
  }
  // A press on a cell of the puzzle view, shown.
  void Press(TCellPos cell, TShiftState shift = TShiftState{ssLeft}) {
    ShowChange(session_.PointerPressed(TView::Puzzle, cell, TPointerButton::Left, shift));
  }
  // A cell marked as the right button marks it.
  void Mark(TCellPos cell) {
    ShowChange(
        session_.PointerPressed(TView::Puzzle, cell, TPointerButton::Right, TShiftState(ssRight)));
  }
  // A drop played and shown as the pointer's drop plays and shows it.
  void DropAndShow(TCellPos source, TCellPos target) {
    Press(source);
    ShowChange(session_.PointerReleased(TView::Puzzle, target));
  }
};

}  // namespace test
