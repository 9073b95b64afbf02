// The options file: the player's settings, the current picture and the last
// game, read once at start and written once when the window closes.
#include "forms/formfields.h"
#include "game/quiltraform.h"
#include "platform/storedtextlist.h"

void TQuiltraForm::ReadGridSize() {
  Board.ColumnsCount =
      GetIntFromComboBox(ColumnsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount);
  Board.RowsCount =
      GetIntFromComboBox(RowsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount);
}

void TQuiltraForm::ReadCommonSettings(TStoredTextList& list) {
  Board.ColumnsCount = GetIntFromComboBox(ColumnsCountComboBox);
  list.ReadInteger(kGameSection, "ColumnsCount", Board.ColumnsCount, kMaxGridCount, kMinGridCount);
  ColumnsCountComboBox->SelectText(std::to_string(Board.ColumnsCount));
  Board.RowsCount = GetIntFromComboBox(RowsCountComboBox);
  list.ReadInteger(kGameSection, "RowsCount", Board.RowsCount, kMaxGridCount, kMinGridCount);
  RowsCountComboBox->SelectText(std::to_string(Board.RowsCount));
  bool lightGrid = false;
  list.ReadBool(kGameSection, "LightGrid", lightGrid);
  LightGridCheckBox->SetChecked(lightGrid);
  list.ReadString(kGameSection, "PictureTitle", PictureTitle, true, kMaxTitleLength);
}

void TQuiltraForm::WriteCommonSettings(TStoredTextList& list) {
  list.WriteInteger(kGameSection, "ColumnsCount", Board.ColumnsCount);
  list.WriteInteger(kGameSection, "RowsCount", Board.RowsCount);
  list.WriteBool(kGameSection, "LightGrid", LightGridCheckBox->Checked());
  list.WriteString(kGameSection, "PictureTitle", PictureTitle);
}

void TQuiltraForm::ReadOptions(TStoredTextList& list) {
  ReadCommonSettings(list);
  bool allowFlip = false;
  list.ReadBool(kGameSection, "AllowFlip", allowFlip);
  AllowFlipCheckBox->SetChecked(allowFlip);
  list.ReadString(kGameSection, "LastGameTitle", LastGameTitle, false, kMaxTitleLength);
  LoadGameDialog.FileName = LastGameTitle;
  SaveGameDialog.FileName = LastGameTitle;
}

void TQuiltraForm::WriteOptions(TStoredTextList& list) {
  list.Clear();
  ReadGridSize();
  WriteCommonSettings(list);
  list.WriteBool(kGameSection, "AllowFlip", AllowFlipCheckBox->Checked());
  list.WriteString(kGameSection, "LastGameTitle", LastGameTitle);
}
