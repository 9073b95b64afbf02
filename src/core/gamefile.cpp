#include "gamefile.h"

#include <algorithm>

namespace {

const char* const kMapSection = "Map";
constexpr int32_t kMaxCounter = 2147483647;

// A cell's keys carry its position, counted row by row.
std::string CellNumber(int column, int row, int columns) {
  return std::to_string(row * columns + column);
}

}  // namespace

void ReadCommonSettings(const TStoredText& text, TCommonSettings& settings) {
  text.ReadInteger(kGameSection, "ColumnsCount", settings.ColumnsCount, kMaxGridCount,
                   kMinGridCount);
  text.ReadInteger(kGameSection, "RowsCount", settings.RowsCount, kMaxGridCount, kMinGridCount);
  settings.LightGrid = false;
  text.ReadBool(kGameSection, "LightGrid", settings.LightGrid);
  text.ReadString(kGameSection, "PictureTitle", settings.PictureTitle, true, kMaxTitleLength);
}

void WriteCommonSettings(TStoredText& text, const TCommonSettings& settings) {
  text.WriteInteger(kGameSection, "ColumnsCount", settings.ColumnsCount);
  text.WriteInteger(kGameSection, "RowsCount", settings.RowsCount);
  text.WriteBool(kGameSection, "LightGrid", settings.LightGrid);
  text.WriteString(kGameSection, "PictureTitle", settings.PictureTitle);
}

void WriteGameFile(TStoredText& text, const TGame& game, bool lightGrid,
                   const std::string& pictureTitle) {
  const TBoard& board = game.Board();
  text.Clear();
  WriteCommonSettings(
      text, TCommonSettings{board.ColumnsCount, board.RowsCount, lightGrid, pictureTitle});
  text.WriteInteger(kGameSection, "ResultedColumns", board.ResultedColumns);
  text.WriteInteger(kGameSection, "ResultedRows", board.ResultedRows);
  text.WriteInteger(kGameSection, "MovesCount", board.MovesCount);
  text.WriteInteger(kGameSection, "WrongMoves", board.WrongMoves);
  for (int row = 0; row < game.Rows(); ++row)
    for (int column = 0; column < game.Columns(); ++column) {
      const std::string n = CellNumber(column, row, game.Columns());
      const TCell& cell = board.Map[column][row];
      text.WriteInteger(kMapSection, "C" + n, cell.C);
      text.WriteInteger(kMapSection, "R" + n, cell.R);
      text.WriteBool(kMapSection, "FH" + n, cell.FH != 0);
      text.WriteBool(kMapSection, "FV" + n, cell.FV != 0);
    }
}

TGameFile ReadGameFile(const TStoredText& text, const TCommonSettings& defaults) {
  TGameFile file{defaults, TGame()};
  ReadCommonSettings(text, file.Settings);
  TBoard board;
  board.ColumnsCount = file.Settings.ColumnsCount;
  board.RowsCount = file.Settings.RowsCount;
  board.ResultedColumns = board.ColumnsCount;
  text.ReadInteger(kGameSection, "ResultedColumns", board.ResultedColumns, kMaxGridCells, 1);
  board.ResultedRows = board.RowsCount;
  text.ReadInteger(kGameSection, "ResultedRows", board.ResultedRows, kMaxGridCells, 1);
  text.ReadInteger(kGameSection, "MovesCount", board.MovesCount, kMaxCounter, 0);
  text.ReadInteger(kGameSection, "WrongMoves", board.WrongMoves, kMaxCounter, 0);
  // Defaults outside the map's size are refused by IsValidBoard; only the
  // map's own cells are read.
  const int columns = std::clamp(board.ResultedColumns, 0, kMaxGridCells);
  const int rows = std::clamp(board.ResultedRows, 0, kMaxGridCells);
  board.ResetMap(columns, rows);
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const std::string n = CellNumber(column, row, board.ResultedColumns);
      TCell& cell = board.Map[column][row];
      text.ReadInteger(kMapSection, "C" + n, cell.C, board.ResultedColumns - 1, 0);
      text.ReadInteger(kMapSection, "R" + n, cell.R, board.ResultedRows - 1, 0);
      bool flip = false;
      text.ReadBool(kMapSection, "FH" + n, flip);
      cell.FH = flip;
      flip = false;
      text.ReadBool(kMapSection, "FV" + n, flip);
      cell.FV = flip;
    }
  file.Game = TGame::FromBoard(board);
  return file;
}

bool IsValidBoard(const TBoard& board) {
  const int columns = board.ResultedColumns;
  const int rows = board.ResultedRows;
  if (columns < 1 || rows < 1 || columns > kMaxGridCells || rows > kMaxGridCells) return false;
  bool seen[kMaxGridCells][kMaxGridCells] = {};
  for (int column = 0; column < columns; ++column)
    for (int row = 0; row < rows; ++row) {
      const TCell& cell = board.Map[column][row];
      if (cell.C < 0 || cell.C >= columns || cell.R < 0 || cell.R >= rows) return false;
      if (cell.FH > 1 || cell.FV > 1) return false;
      if (seen[cell.C][cell.R]) return false;
      seen[cell.C][cell.R] = true;
    }
  return true;
}

const char* GameFileFaultText(TGameFileFault fault) {
  switch (fault) {
    case TGameFileFault::NamesNoPicture:
      return "The game file names no picture.";
    case TGameFileFault::NoValidBoard:
      return "The game file holds no valid board.";
    case TGameFileFault::None:
      break;
  }
  return "";
}

TLoadedGame LoadGameFile(const TStoredText& text, const TCommonSettings& defaults,
                         const std::function<bool(const std::string&)>& isPicture) {
  TLoadedGame loaded;
  text.ReadString(kGameSection, "PictureTitle", loaded.NamedPicture, true, kMaxTitleLength);
  if (loaded.NamedPicture.empty() || !isPicture(loaded.NamedPicture)) {
    loaded.Fault = TGameFileFault::NamesNoPicture;
    return loaded;
  }
  loaded.File = ReadGameFile(text, defaults);
  if (!IsValidBoard(loaded.File.Game.Board())) loaded.Fault = TGameFileFault::NoValidBoard;
  return loaded;
}
