// The options file: the player's settings, the current picture and the last
// game, read once at start and written once when the window closes.
#include "forms/formfields.h"
#include "game/quiltraform.h"
#include "platform/storedtextlist.h"

namespace {

const char* const kSection = "QuiltraGame";

}  // namespace

void TQuiltraForm::ReadGridSize() {
  Board.ColumnsCount =
      GetIntFromComboBox(ColumnsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount);
  Board.RowsCount =
      GetIntFromComboBox(RowsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount);
}

void TQuiltraForm::ReadCommonSettings(TStoredTextList& list) {
  Board.ColumnsCount = GetIntFromComboBox(ColumnsCountComboBox);
  list.ReadInteger(kSection, "ColumnsCount", Board.ColumnsCount, kMaxGridCount, kMinGridCount);
  ColumnsCountComboBox->SelectText(std::to_string(Board.ColumnsCount));
  Board.RowsCount = GetIntFromComboBox(RowsCountComboBox);
  list.ReadInteger(kSection, "RowsCount", Board.RowsCount, kMaxGridCount, kMinGridCount);
  RowsCountComboBox->SelectText(std::to_string(Board.RowsCount));
  bool lightGrid = false;
  list.ReadBool(kSection, "LightGrid", lightGrid);
  LightGridCheckBox->SetChecked(lightGrid);
  list.ReadString(kSection, "PictureTitle", PictureTitle, true, 259);
}

void TQuiltraForm::WriteCommonSettings(TStoredTextList& list) {
  list.WriteInteger(kSection, "ColumnsCount", Board.ColumnsCount);
  list.WriteInteger(kSection, "RowsCount", Board.RowsCount);
  list.WriteBool(kSection, "LightGrid", LightGridCheckBox->Checked());
  list.WriteString(kSection, "PictureTitle", PictureTitle);
}

void TQuiltraForm::ReadOptions(TStoredTextList& list) {
  ReadCommonSettings(list);
  bool allowFlip = false;
  list.ReadBool(kSection, "AllowFlip", allowFlip);
  AllowFlipCheckBox->SetChecked(allowFlip);
  list.ReadString(kSection, "LastGameTitle", LastGameTitle, false, 259);
  LoadGameDialog.FileName = LastGameTitle;
  SaveGameDialog.FileName = LastGameTitle;
}

void TQuiltraForm::WriteOptions(TStoredTextList& list) {
  list.Clear();
  ReadGridSize();
  WriteCommonSettings(list);
  list.WriteBool(kSection, "AllowFlip", AllowFlipCheckBox->Checked());
  list.WriteString(kSection, "LastGameTitle", LastGameTitle);
}
