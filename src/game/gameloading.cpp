// Loading saved games back: the board, the counters and the settings come
// from the file, the picture is laid out again. A game that cannot be shown
// whole leaves the current one as it was.
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/quiltraform.h"
#include "platform/files.h"
#include "platform/storedtextlist.h"

namespace {

// Holds a check box's click handler back while it lives. Reading a game file
// sets the light grid check box before the game is known to load, and its
// click would repaint the views of the game still shown.
class TQuietClicks {
 public:
  explicit TQuietClicks(TControl* control) : control_(control), onClick_(control->OnClick) {
    control_->OnClick = nullptr;
  }
  ~TQuietClicks() { control_->OnClick = onClick_; }
  TQuietClicks(const TQuietClicks&) = delete;
  TQuietClicks& operator=(const TQuietClicks&) = delete;

 private:
  TControl* control_;
  TNotifyEvent onClick_;
};

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
  // An empty chooser (none selected) is not in the list: empty it again.
  if (!ColumnsCountComboBox->SelectText(snapshot.ColumnsText))
    ColumnsCountComboBox->SetItemIndex(-1);
  if (!RowsCountComboBox->SelectText(snapshot.RowsText)) RowsCountComboBox->SetItemIndex(-1);
  LightGridCheckBox->SetChecked(snapshot.LightGrid);
}

void TQuiltraForm::LoadGameFrom(std::string fileName) {
  STATUS_FRAME("TQuiltraForm::LoadGameFrom");
  frame.Run([&] {
    if (!SameTextAscii(GetFileExtension(fileName), ".qtg")) return;
    if (!MyFileExists(fileName)) return frame.Raise(__LINE__, "There is no such file", fileName);
    if (!CheckSave()) return;

    // The game is read over the current one and committed only once its
    // picture is laid out; any failure puts the current game back.
    const TGameSnapshot current = TakeSnapshot();
    const TQuietClicks quiet(LightGridCheckBox);
    if (!GameList->LoadFrom(fileName)) return RestoreSnapshot(current);
    // The picture the file itself names: without one (no entry, an empty or
    // overlong one) the read keeps the current picture, which is not this
    // game's.
    std::string picture;
    GameList->ReadString(kGameSection, "PictureTitle", picture, true, kMaxTitleLength);
    if (picture.empty() || !MatchesFileSpec(picture, PictureExtensions)) {
      RestoreSnapshot(current);
      return frame.Raise(__LINE__, "The game file names no picture.", fileName, picture);
    }
    if (!IsValidBoard(Board)) {
      RestoreSnapshot(current);
      return frame.Raise(__LINE__, "The game file holds no valid board.", fileName);
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
