// Boards and games in known arrangements, for the core's tests, the window's
// tests and the fuzzer's checks alike. Portable: no <windows.h>.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/game.h"

namespace test {

// A play area of columns x rows with every piece home.
inline TBoard PlayingBoard(int columns, int rows) {
  TBoard board;
  board.ResultedColumns = columns;
  board.ResultedRows = rows;
  board.ResetMap(columns, rows);
  return board;
}

// The board with the given cells' pieces exchanged in turn; not modified.
inline TBoard Swapped(TBoard board, std::initializer_list<TMove> swaps) {
  for (const TMove& swap : swaps)
    board.SwapCells(swap.From.Column, swap.From.Row, swap.To.Column, swap.To.Row);
  board.GameModified = false;
  return board;
}

// A 7 x 7 game as the window's tests play it: (0,0) and (1,0) exchanged, and
// a three-cycle on row 2 (pieces (1,2), (2,2), (0,2) in cells 0 to 2).
inline TGame MisplacedGame() {
  return TGame::FromBoard(
      Swapped(PlayingBoard(7, 7), {{{0, 0}, {1, 0}}, {{0, 2}, {1, 2}}, {{1, 2}, {2, 2}}}));
}

// Whether every piece of the play area lies in exactly one cell and every
// flag is 0 or 1.
inline bool IsPermutation(const TBoard& board) {
  if (board.ResultedColumns < 1 || board.ResultedRows < 1 ||
      board.ResultedColumns > kMaxGridCells || board.ResultedRows > kMaxGridCells)
    return false;
  int seen[kMaxGridCells][kMaxGridCells] = {};
  for (int column = 0; column < board.ResultedColumns; ++column)
    for (int row = 0; row < board.ResultedRows; ++row) {
      const TCell& cell = board.Map[column][row];
      if (cell.C < 0 || cell.R < 0 || cell.C >= board.ResultedColumns ||
          cell.R >= board.ResultedRows || cell.FH > 1 || cell.FV > 1)
        return false;
      if (seen[cell.C][cell.R]++) return false;
    }
  return true;
}

// The cells of a columns x rows board in home order, position by position.
inline std::vector<TCell> HomeCells(int columns, int rows) {
  std::vector<TCell> cells;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) cells.push_back(TCell{column, row, 0, 0});
  return cells;
}

// A game file written by hand: a QuiltraGame section of the given lines, and
// a Map of the cells' "C R FH FV" entries for positions 0, 1, ...
inline std::string GameFileText(const std::string& gameLines, const std::vector<TCell>& cells) {
  std::string text = "[QuiltraGame]\r\n" + gameLines + "\r\n[Map]\r\n";
  for (size_t n = 0; n < cells.size(); ++n) {
    const std::string i = std::to_string(n);
    text += "C" + i + "=" + std::to_string(cells[n].C) + "\r\nR" + i + "=" +
            std::to_string(cells[n].R) + "\r\nFH" + i + "=" + (cells[n].FH ? "TRUE" : "FALSE") +
            "\r\nFV" + i + "=" + (cells[n].FV ? "TRUE" : "FALSE") + "\r\n";
  }
  return text;
}

}  // namespace test
