// The board operations of the main window: moves, flips, counters and labels.
#include "game/quiltraform.h"

void TQuiltraForm::ComputePieceSize() {
  const TSize area = PuzzleArea();
  const TPieceSize size =
      ::ComputePieceSize(area.Width, area.Height, Board.ColumnsCount, Board.RowsCount);
  Board.PieceWidth = size.Width;
  Board.PieceHeight = size.Height;
}

void TQuiltraForm::SwapAndDrawCells(int column1, int row1, int column2, int row2) {
  Board.SwapCells(column1, row1, column2, row2);
  const TCell& first = Board.Map[column1][row1];
  DrawPiece(first.C, first.R, first.FH, first.FV, column1, row1);
  const TCell& second = Board.Map[column2][row2];
  DrawPiece(second.C, second.R, second.FH, second.FV, column2, row2);
}

void TQuiltraForm::FlipPieceHorizontally(int column, int row) {
  TCell& cell = Board.Map[column][row];
  cell.FH = !cell.FH;
  DrawPiece(cell.C, cell.R, cell.FH, cell.FV, column, row);
  DrawCellFrames(column, row, false);
}

void TQuiltraForm::FlipPieceVertically(int column, int row) {
  TCell& cell = Board.Map[column][row];
  cell.FV = !cell.FV;
  DrawPiece(cell.C, cell.R, cell.FH, cell.FV, column, row);
  DrawCellFrames(column, row, false);
}

void TQuiltraForm::DropOnCell(int column, int row) {
  if (column == Board.DragColumn && row == Board.DragRow) return;
  SwapAndDrawCells(column, row, Board.DragColumn, Board.DragRow);
  DrawCellFrames(column, row, false);
  DrawCellFrames(Board.DragColumn, Board.DragRow, false);
  ++Board.MovesCount;
  ShowMovesCount();
  UpdatePuzzleCursor(column, row);
}

void TQuiltraForm::ShowMovesCount() {
  MovesCountLabel->SetCaption(MovesText(Board.MovesCount));
  const int remaining = Board.CountRemainingPieces();
  RemainingCountLabel->SetCaption(RemainingText(remaining));
  if (remaining != 0) return;
  SetTips(kTipsLoad);
  if (PicturesShown()) ShowSolvedPicture();
}

void TQuiltraForm::ShowWrongMovesCount() {
  WrongMovesLabel->SetCaption(WrongMovesText(Board.WrongMoves));
}

void TQuiltraForm::ResetGameCounters() {
  Board.GameModified = false;
  Board.MovesCount = 0;
  MovesCountLabel->SetCaption("");
  RemainingCountLabel->SetCaption("");
}
