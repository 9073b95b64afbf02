// The board: the grid the picture is cut into, which piece lies in which cell
// and how it is mirrored, and the move counters. Plain state; the game
// (game.h) owns it and applies the rules, the main window draws and labels.
#pragma once

#include <cstdint>
#include <string>

constexpr int kMaxGridCells = 30;  // Map's size in each direction
constexpr int kMinGridCount = 5;   // the choosers' limits
constexpr int kMaxGridCount = 30;
constexpr int kDefaultGridCount = 7;

// The piece lying in a cell: its home (C, R) and its mirror flags.
struct TCell {
  int32_t C = 0;
  int32_t R = 0;
  uint8_t FH = 0;
  uint8_t FV = 0;
};

struct TBoard {
  // The grid chosen for the next picture, and the one the picture was cut into.
  int32_t ColumnsCount = kDefaultGridCount;
  int32_t RowsCount = kDefaultGridCount;
  int32_t ResultedColumns = 0;
  int32_t ResultedRows = 0;
  TCell Map[kMaxGridCells][kMaxGridCells];  // [column][row]
  int32_t MovesCount = 0;
  int32_t WrongMoves = 0;
  bool GameModified = false;

  TBoard() { ResetMap(kMaxGridCells, kMaxGridCells); }

  void ResetMap(int columns, int rows);
  bool IsCellCorrect(int column, int row) const;
  void SwapCells(int column1, int row1, int column2, int row2);
  int CountRemainingPieces() const;
  bool InPlayArea(int column, int row) const;
};

// A piece's size in the puzzle view, for a puzzle area and the chosen counts.
struct TPieceSize {
  int32_t Width;
  int32_t Height;
};
TPieceSize ComputePieceSize(int areaWidth, int areaHeight, int columns, int rows);

// How many whole pieces of one size cover a fitted picture: at least 1, at
// most the limit.
int32_t GridCount(int fittedSize, int pieceSize, int limit);

// The status labels' texts.
std::string PositionText(int column, int row);  // counted from 0, shown from 1
std::string MovesText(int32_t moves);
std::string WrongMovesText(int32_t wrongMoves);
std::string RemainingText(int remaining);
std::string PieceHintText(const TCell& cell);

// The three tips.
extern const char* const kTipsLoad;
extern const char* const kTipsRandomize;
extern const char* const kTipsDrag;
