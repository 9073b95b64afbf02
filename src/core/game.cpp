#include "game.h"

#include <algorithm>
#include <limits>

namespace {

// A counter read from a file may already stand at the largest value; it
// stays there rather than wrapping round to a negative count.
void CountOne(int32_t& counter) {
  if (counter < std::numeric_limits<int32_t>::max()) ++counter;
}

}  // namespace

bool TGame::IsHome(TCellPos cell) const {
  return InPlayArea(cell) && board_.IsCellCorrect(cell.Column, cell.Row);
}

bool TGame::CanPickUp(TCellPos cell) const {
  return InPlayArea(cell) && !board_.IsCellCorrect(cell.Column, cell.Row);
}

std::optional<TMove> TGame::PlanDrop(TCellPos source, TCellPos target) const {
  if (!CanPickUp(source) || !CanPickUp(target) || source == target) return std::nullopt;
  return TMove{source, target};
}

TDropOutcome TGame::Play(const TMove& move) {
  if (!PlanDrop(move.From, move.To)) return TDropOutcome::Refused;
  board_.SwapCells(move.To.Column, move.To.Row, move.From.Column, move.From.Row);
  CountOne(board_.MovesCount);
  if (!IsHome(move.To)) {
    CountOne(board_.WrongMoves);
    return TDropOutcome::MovedWrongly;
  }
  return Solved() ? TDropOutcome::Solved : TDropOutcome::Moved;
}

TDropOutcome TGame::Drop(TCellPos source, TCellPos target) {
  return Play(TMove{source, target});
}

bool TGame::Flip(TCellPos cell, TFlip axis) {
  if (!CanFlip(cell)) return false;
  TCell& piece = board_.Map[cell.Column][cell.Row];
  uint8_t& flag = axis == TFlip::Horizontally ? piece.FH : piece.FV;
  flag = !flag;
  return true;
}

void TGame::ChooseGrid(int columns, int rows) {
  board_.ColumnsCount = columns;
  board_.RowsCount = rows;
}

void TGame::SetPlayArea(int columns, int rows) {
  board_.ResultedColumns = std::clamp(columns, 0, kMaxGridCells);
  board_.ResultedRows = std::clamp(rows, 0, kMaxGridCells);
}

void TGame::PutPiecesHome() {
  board_.ResetMap(board_.ResultedColumns, board_.ResultedRows);
}

void TGame::Shuffle(bool allowFlip, const TRandomSource& random) {
  ResetCounters();
  ResetWrongMoves();
  ShuffleBoard(board_, allowFlip, random);
}

void TGame::ResetCounters() {
  board_.GameModified = false;
  board_.MovesCount = 0;
}

TGame TGame::FromBoard(const TBoard& board) {
  TGame game;
  game.board_ = board;
  return game;
}
