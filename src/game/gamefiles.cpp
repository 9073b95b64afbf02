// Saving games, and the questions that protect a modified game before it is
// lost.
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "forms/formfields.h"
#include "game/quiltraform.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/storedtextlist.h"

namespace {

const char* const kMapSection = "Map";

}  // namespace

void TQuiltraForm::WriteGame(TStoredTextList& list) {
  list.Clear();
  WriteCommonSettings(list);
  list.WriteInteger(kGameSection, "ResultedColumns", Board.ResultedColumns);
  list.WriteInteger(kGameSection, "ResultedRows", Board.ResultedRows);
  list.WriteInteger(kGameSection, "MovesCount", Board.MovesCount);
  list.WriteInteger(kGameSection, "WrongMoves", Board.WrongMoves);
  for (int row = 0; row < Board.ResultedRows; ++row)
    for (int column = 0; column < Board.ResultedColumns; ++column) {
      const std::string n = std::to_string(row * Board.ResultedColumns + column);
      const TCell& cell = Board.Map[column][row];
      list.WriteInteger(kMapSection, "C" + n, cell.C);
      list.WriteInteger(kMapSection, "R" + n, cell.R);
      list.WriteBool(kMapSection, "FH" + n, cell.FH != 0);
      list.WriteBool(kMapSection, "FV" + n, cell.FV != 0);
    }
}

void TQuiltraForm::ReadGame(TStoredTextList& list) {
  ReadCommonSettings(list);
  Board.ResultedColumns = GetIntFromComboBox(ColumnsCountComboBox);
  list.ReadInteger(kGameSection, "ResultedColumns", Board.ResultedColumns, kMaxGridCells, 1);
  Board.ResultedRows = GetIntFromComboBox(RowsCountComboBox);
  list.ReadInteger(kGameSection, "ResultedRows", Board.ResultedRows, kMaxGridCells, 1);
  Board.MovesCount = 0;
  list.ReadInteger(kGameSection, "MovesCount", Board.MovesCount, 2147483647, 0);
  Board.WrongMoves = 0;
  list.ReadInteger(kGameSection, "WrongMoves", Board.WrongMoves, 2147483647, 0);
  Board.ResetMap(Board.ResultedColumns, Board.ResultedRows);
  for (int row = 0; row < Board.ResultedRows; ++row)
    for (int column = 0; column < Board.ResultedColumns; ++column) {
      const std::string n = std::to_string(row * Board.ResultedColumns + column);
      TCell& cell = Board.Map[column][row];
      list.ReadInteger(kMapSection, "C" + n, cell.C, Board.ResultedColumns - 1, 0);
      list.ReadInteger(kMapSection, "R" + n, cell.R, Board.ResultedRows - 1, 0);
      bool flip = false;
      list.ReadBool(kMapSection, "FH" + n, flip);
      cell.FH = flip;
      flip = false;
      list.ReadBool(kMapSection, "FV" + n, flip);
      cell.FV = flip;
    }
}

bool TQuiltraForm::SaveGame(const std::string& fileName) {
  if (!GameList->SaveAs(fileName, true)) return false;
  LastGameTitle = fileName;
  Board.GameModified = false;
  return true;
}

bool TQuiltraForm::SaveGameCommand() {
  STATUS_FRAME("TQuiltraForm::SaveGameMenuClick");
  bool saved = false;
  frame.Run([&] {
    if (PictureTitle.empty()) return;
    // A folder that refuses new files (the program's own, for a standard
    // user) is not worth proposing: the games folder is.
    const std::string proposed = GetFileDirectory(SaveGameDialog.FileName);
    if (!proposed.empty() && !CanWriteInDirectory(proposed))
      SaveGameDialog.FileName = GamesDirectory() + GetFileNameOnly(SaveGameDialog.FileName);
    if (!SaveGameDialog.Execute()) return;
    saved = SaveGame(SaveGameDialog.FileName);
    frame.Adopt();
  });
  frame.ShowStep(__LINE__, "Failed to save game.");
  return saved;
}

void TQuiltraForm::SaveGameMenuClick() {
  SaveGameCommand();
}

bool TQuiltraForm::CheckSave() {
  STATUS_FRAME("TQuiltraForm::CheckSave");
  bool goOn = false;
  frame.Run([&] {
    if (!Board.GameModified) {
      goOn = true;
      return;
    }
    switch (QueryCancelDialog("The game has been modified. Save it?")) {
      case 7:  // No: the game may go.
        goOn = true;
        break;
      case 1:  // Yes: only a game that was written may go.
        goOn = SaveGameCommand();
        break;
      default:  // Cancel keeps it.
        break;
    }
  });
  return goOn;
}

void TQuiltraForm::FormCloseQuery(bool& canClose) {
  canClose = CheckSave();
  if (canClose && OptionsList) OptionsList->Save(false);
}
