// Saving games, and the questions that protect a modified game before it is
// lost.
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/quiltraform.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/storedtextlist.h"

bool TQuiltraForm::SaveGame(const std::string& fileName) {
  if (!GameList->SaveAs(fileName, true)) return false;
  LastGameTitle = fileName;
  session_.SetModified(false);
  return true;
}

bool TQuiltraForm::SaveGameCommand() {
  STATUS_FRAME("TQuiltraForm::SaveGameMenuClick");
  bool saved = false;
  frame.Run([&] {
    if (PictureTitle().empty()) return;
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
  // The command shows its own failure; the menu has nothing to go on with.
  (void)SaveGameCommand();
}

bool TQuiltraForm::CheckSave() {
  STATUS_FRAME("TQuiltraForm::CheckSave");
  bool goOn = false;
  frame.Run([&] {
    if (!Game().Modified()) {
      goOn = true;
      return;
    }
    switch (QueryCancelDialog("The game has been modified. Save it?")) {
      case 7:  // No: the game may go, and its recovery copy with it.
        goOn = true;
        RemoveRecoveryCopy();
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
  if (canClose) RemoveRecoveryCopy();
  // A failed write of the options is shown by the list and keeps no one
  // from closing.
  if (canClose && OptionsList) (void)OptionsList->Save(false);
}
