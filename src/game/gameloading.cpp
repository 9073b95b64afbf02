// Loading saved games back: the board, the counters and the settings come
// from the file, the picture is laid out again. A game that cannot be shown
// whole leaves the current one as it was.
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/quiltraform.h"
#include "platform/files.h"
#include "platform/storedtextlist.h"

namespace {

// Every piece of the play area exactly once.
bool IsValidBoard(const TBoard& board) {
  const int columns = board.ResultedColumns;
  const int rows = board.ResultedRows;
  if (columns < 1 || rows < 1 || columns > kMaxGridCells || rows > kMaxGridCells) return false;
  bool seen[kMaxGridCells][kMaxGridCells] = {};
  for (int column = 0; column < columns; ++column)
    for (int row = 0; row < rows; ++row) {
      const TCell& cell = board.Map[column][row];
      if (cell.C < 0 || cell.C >= columns || cell.R < 0 || cell.R >= rows) return false;
      if (seen[cell.C][cell.R]) return false;
      seen[cell.C][cell.R] = true;
    }
  return true;
}

}  // namespace

TQuiltraForm::TGameSnapshot TQuiltraForm::TakeSnapshot() const {
  return TGameSnapshot{Board, PictureTitle, ColumnsCountComboBox->Text(), RowsCountComboBox->Text(),
                       LightGridCheckBox->Checked()};
}

void TQuiltraForm::RestoreSnapshot(const TGameSnapshot& snapshot) {
  Board = snapshot.Board;
  PictureTitle = snapshot.PictureTitle;
  ColumnsCountComboBox->SelectText(snapshot.ColumnsText);
  RowsCountComboBox->SelectText(snapshot.RowsText);
  LightGridCheckBox->SetChecked(snapshot.LightGrid);
}

void TQuiltraForm::LoadGameFrom(const std::string& fileName) {
  STATUS_FRAME("TQuiltraForm::LoadGameFrom");
  frame.Run([&] {
    if (!SameTextAscii(GetFileExtension(fileName), ".qtg")) return;
    if (!MyFileExists(fileName))
      return frame.Raise(__LINE__, "There is no such file", fileName);
    if (!CheckSave()) return;

    // The game is read over the current one and committed only once its
    // picture is laid out; any failure puts the current game back.
    const TGameSnapshot current = TakeSnapshot();
    if (!GameList->LoadFrom(fileName)) return RestoreSnapshot(current);
    if (!IsValidBoard(Board)) {
      RestoreSnapshot(current);
      return frame.Raise(__LINE__, "The game file holds no valid board.", fileName);
    }
    if (!MatchesFileSpec(PictureTitle, PictureExtensions)) {
      const std::string picture = PictureTitle;
      RestoreSnapshot(current);
      return frame.Raise(__LINE__, "The game file names no picture.", fileName, picture);
    }
    const int savedColumns = Board.ResultedColumns;
    const int savedRows = Board.ResultedRows;
    const bool laidOut = LoadPicture(PictureTitle, false, savedColumns, savedRows);
    if (frame.Adopt() || !laidOut) return RestoreSnapshot(current);

    DrawAllPieces();
    DrawGrids(false);
    SetTips(kTipsDrag);
    ShowMovesCount();
    ShowWrongMovesCount();
    LastGameTitle = fileName;
    SetCaptionTitle(fileName);
    SaveGameDialog.FileName = LastGameTitle;
  });
}

void TQuiltraForm::LoadGameMenuClick() {
  STATUS_FRAME("TQuiltraForm::LoadGameMenuClick");
  frame.Run([&] {
    if (!LoadGameDialog.Execute()) return;
    LoadGameFrom(LoadGameDialog.FileName);
    frame.Adopt();
  });
  frame.ShowStep(__LINE__, "Failed to load game.");
}

void TQuiltraForm::LoadLastGameMenuClick() {
  STATUS_FRAME("TQuiltraForm::LoadLastGameMenuClick");
  frame.Run([&] {
    LoadGameFrom(LastGameTitle);
    if (!frame.Adopt()) LoadGameDialog.FileName = LastGameTitle;
  });
  frame.ShowStep(__LINE__, "Failed to load last game.");
}
