// Loading saved games back: the board, the counters and the settings come
// from the file, the picture is laid out again. A game that cannot be shown
// whole leaves the current one as it was.
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/quiltraform.h"
#include "platform/files.h"
#include "platform/storedtextlist.h"

namespace {

// Holds a check box's click handler back while it lives. A loaded game's
// settings set the light grid check box before its picture is laid out, and
// its click would repaint the views of the game still shown.
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

}  // namespace

TQuiltraForm::TGameSnapshot TQuiltraForm::TakeSnapshot() const {
  return TGameSnapshot{session_, piece_};
}

void TQuiltraForm::RestoreSnapshot(const TGameSnapshot& snapshot) {
  session_ = snapshot.Session;
  piece_ = snapshot.Piece;
  const TPlaySettings& settings = session_.Settings();
  ColumnsCountComboBox->SelectText(std::to_string(settings.Columns));
  RowsCountComboBox->SelectText(std::to_string(settings.Rows));
  LightGridCheckBox->SetChecked(settings.LightGrid);
}

void TQuiltraForm::LoadGameFrom(std::string fileName, bool recovered) {
  STATUS_FRAME("TQuiltraForm::LoadGameFrom");
  frame.Run([&] {
    if (!SameTextAscii(GetFileExtension(fileName), ".qtg")) return;
    if (IsPathTooLong(fileName)) return frame.Raise(__LINE__, kPathTooLong, fileName);
    if (!MyFileExists(fileName)) return frame.Raise(__LINE__, "There is no such file", fileName);
    if (!CheckSave()) return;

    if (!GameList->LoadFrom(fileName)) return;
    // The file is read and checked before anything on screen changes: a game
    // is either whole and valid or refused.
    const TLoadedGame loaded = LoadGameFile(
        *GameList->Contents(), ShownSettings(),
        [this](const std::string& picture) { return MatchesFileSpec(picture, PictureExtensions); });
    if (loaded.Fault == TGameFileFault::NamesNoPicture)
      return frame.Raise(__LINE__, GameFileFaultText(loaded.Fault), fileName, loaded.NamedPicture);
    if (loaded.Fault != TGameFileFault::None)
      return frame.Raise(__LINE__, GameFileFaultText(loaded.Fault), fileName);

    // The game is shown over the current one and committed only once its
    // picture is laid out; any failure puts the current game back. The
    // modified mark stays the one of the game shown.
    const TGameSnapshot current = TakeSnapshot();
    const TQuietClicks quiet(LightGridCheckBox);
    ShowSettings(loaded.File.Settings);
    // The modified mark stays the one of the game shown, and the loaded game
    // starts an empty history.
    session_.LoadGame(loaded.File.Game, recovered || Game().Modified());
    TGridSize grid{};
    const bool laidOut = LoadPicture(PictureTitle(), false, grid, Game().Columns(), Game().Rows());
    if (frame.Adopt() || !laidOut) return RestoreSnapshot(current);

    DrawAllPieces();
    DrawGrids(false);
    SetTips(kTipsDrag);
    ShowCounters();
    if (recovered) {
      std::string title;
      GameList->Contents()->ReadString(kGameSection, kRecoveredTitleKey, title, false,
                                       kMaxTitleLength);
      SetCaptionTitle(title);
      if (!title.empty()) SaveGameDialog.FileName = title;
      return;
    }
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
