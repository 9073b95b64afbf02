// The options file: the player's settings, the current picture and the last
// game, read once at start and written once when the window closes.
#include "forms/formfields.h"
#include "game/quiltraform.h"
#include "platform/storedtextlist.h"

void TQuiltraForm::ReadGridSize() {
  const int32_t columns =
      GetIntFromComboBox(ColumnsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount);
  const int32_t rows =
      GetIntFromComboBox(RowsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount);
  game_.ChooseGrid(columns, rows);
}

TCommonSettings TQuiltraForm::ShownSettings() const {
  return TCommonSettings{GetIntFromComboBox(ColumnsCountComboBox),
                         GetIntFromComboBox(RowsCountComboBox), LightGridCheckBox->Checked(),
                         PictureTitle};
}

void TQuiltraForm::ShowSettings(const TCommonSettings& settings) {
  game_.ChooseGrid(settings.ColumnsCount, settings.RowsCount);
  ColumnsCountComboBox->SelectText(std::to_string(settings.ColumnsCount));
  RowsCountComboBox->SelectText(std::to_string(settings.RowsCount));
  LightGridCheckBox->SetChecked(settings.LightGrid);
  PictureTitle = settings.PictureTitle;
}

void TQuiltraForm::ReadOptions(TStoredTextList& list) {
  TCommonSettings settings = ShownSettings();
  ReadCommonSettings(list.EditContents(), settings);
  ShowSettings(settings);
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
  WriteCommonSettings(list.EditContents(),
                      TCommonSettings{game_.ChosenColumns(), game_.ChosenRows(),
                                      LightGridCheckBox->Checked(), PictureTitle});
  list.WriteBool(kGameSection, "AllowFlip", AllowFlipCheckBox->Checked());
  list.WriteString(kGameSection, "LastGameTitle", LastGameTitle);
}
