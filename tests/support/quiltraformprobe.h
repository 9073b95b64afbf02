// The main window with its protected parts opened, for the in-process tests
// of its wiring and the benchmarks: what a handler shows, paints and writes.
// The game's rules themselves are tested natively (tests/core).
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
  using TQuiltraForm::LoadGameFrom;
  using TQuiltraForm::LoadGameFromPicture;
  using TQuiltraForm::LoadLastGameMenuClick;
  using TQuiltraForm::LoadPicture;
  using TQuiltraForm::OriginalCellAt;
  using TQuiltraForm::OriginalPictureImageDragDrop;
  using TQuiltraForm::OriginalPictureImageDragOver;
  using TQuiltraForm::OriginalPictureImageMouseDown;
  using TQuiltraForm::OriginalPictureImageMouseMove;
  using TQuiltraForm::PuzzlePictureImageDragDrop;
  using TQuiltraForm::PuzzlePictureImageDragOver;
  using TQuiltraForm::PuzzlePictureImageMouseDown;
  using TQuiltraForm::PuzzlePictureImageMouseMove;
  using TQuiltraForm::RandomizeMenuClick;
  using TQuiltraForm::ReadGridSize;
  using TQuiltraForm::ReadOptions;
  using TQuiltraForm::SaveGame;
  using TQuiltraForm::SaveGameCommand;
  using TQuiltraForm::SetTips;
  using TQuiltraForm::ShowMovesCount;
  using TQuiltraForm::ShowWrongMovesCount;
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

  const TGame& Game() const { return game_; }
  const TBoard& Board() const { return game_.Board(); }
  TPieceSize Piece() const { return piece_; }
  TCellPos Source() const { return play_.Source(); }
  TCellPos Marked() const { return play_.Marked(); }

  // Arranging a game by hand, as if played: each change is painted as the
  // window paints a move.
  void Swap(TCellPos first, TCellPos second) {
    TBoard board = game_.Board();
    board.SwapCells(first.Column, first.Row, second.Column, second.Row);
    game_ = TGame::FromBoard(board);
    DrawPiece(first);
    DrawPiece(second);
  }
  void Flip(TCellPos cell, TFlip axis) { FlipPiece(cell, axis); }
  void SetCounters(int32_t moves, int32_t wrongMoves) {
    TBoard board = game_.Board();
    board.MovesCount = moves;
    board.WrongMoves = wrongMoves;
    game_ = TGame::FromBoard(board);
  }
  void SetModified(bool modified) { game_.SetModified(modified); }
  // A drop played and shown as the pointer's drop plays and shows it.
  void DropAndShow(TCellPos source, TCellPos target) {
    if (play_.PickUp(game_, source)) DropHeldPiece(target);
  }
};

}  // namespace test
