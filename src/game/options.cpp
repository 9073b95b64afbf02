// The options file: the player's settings, the current picture and the last
// game, read once at start and written once when the window closes.
#include "forms/formfields.h"
#include "game/filelocations.h"
#include "game/quiltraform.h"
#include "platform/storedtextlist.h"

void TQuiltraForm::AttachSettingsHandlers() {
  auto chooseGrid = [this] {
    session_.ChooseGrid(
        GetIntFromComboBox(ColumnsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount),
        GetIntFromComboBox(RowsCountComboBox, kMinGridCount, kMaxGridCount, kDefaultGridCount));
  };
  ColumnsCountComboBox->OnChange = chooseGrid;
  RowsCountComboBox->OnChange = chooseGrid;
  AllowFlipCheckBox->OnClick = [this] {
    session_.SetAllowFlip(AllowFlipCheckBox->Checked());
    LightGridCheckBoxClick();
  };
  LightGridCheckBox->OnClick = [this] {
    session_.SetLightGrid(LightGridCheckBox->Checked());
    LightGridCheckBoxClick();
  };
}

TCommonSettings TQuiltraForm::ShownSettings() const {
  const TPlaySettings& settings = session_.Settings();
  return TCommonSettings{settings.Columns, settings.Rows, settings.LightGrid,
                         settings.PictureTitle};
}

void TQuiltraForm::ShowSettings(const TCommonSettings& settings) {
  session_.ChooseGrid(settings.ColumnsCount, settings.RowsCount);
  session_.SetLightGrid(settings.LightGrid);
  session_.SetPictureTitle(settings.PictureTitle);
  ColumnsCountComboBox->SelectText(std::to_string(settings.ColumnsCount));
  RowsCountComboBox->SelectText(std::to_string(settings.RowsCount));
  LightGridCheckBox->SetChecked(settings.LightGrid);
}

void TQuiltraForm::ReadOptions(TStoredTextList& list) {
  TCommonSettings settings = ShownSettings();
  ReadCommonSettings(list.EditContents(), settings);
  ShowSettings(settings);
  bool allowFlip = false;
  list.ReadBool(kGameSection, "AllowFlip", allowFlip);
  session_.SetAllowFlip(allowFlip);
  AllowFlipCheckBox->SetChecked(allowFlip);
  list.ReadString(kGameSection, "LastGameTitle", LastGameTitle, false, kMaxTitleLength);
  LastGameTitle = CarriedGamePath(LastGameTitle);
  LoadGameDialog.FileName = LastGameTitle;
  SaveGameDialog.FileName = LastGameTitle;
}

void TQuiltraForm::WriteOptions(TStoredTextList& list) {
  list.Clear();
  WriteCommonSettings(list.EditContents(), ShownSettings());
  list.WriteBool(kGameSection, "AllowFlip", session_.Settings().AllowFlip);
  list.WriteString(kGameSection, "LastGameTitle", LastGameTitle);
}
