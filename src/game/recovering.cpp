// The recovery copy: a modified game is kept on disk while it is played, so
// that a crash, a power cut or Windows ending the session loses at most the
// last second of play; the next start offers it back.
#include <windows.h>

#include "core/gamefile.h"
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "core/storedtext.h"
#include "game/errorform.h"
#include "game/filelocations.h"
#include "game/identity.h"
#include "game/quiltraform.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/textfile.h"

namespace {

const std::string kTitlePrefix = std::string(kProgramName) + " - ";

// Windows starts the game again after restarting for its updates; a crash
// or a hang does not (the player would meet the same fault again).
void RegisterForRestart() {
  using TRegister = HRESULT(WINAPI*)(PCWSTR, DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto registerRestart = kernel ? reinterpret_cast<TRegister>(reinterpret_cast<void*>(
                                            GetProcAddress(kernel, "RegisterApplicationRestart")))
                                      : nullptr;
  const DWORD kNoCrash = 1, kNoHang = 2;
  if (registerRestart) registerRestart(L"", kNoCrash | kNoHang);
}

}  // namespace

std::string TQuiltraForm::RecoveryText() const {
  TStoredText text;
  WriteGameFile(text, Game(), session_.Settings().LightGrid, PictureTitle());
  // The caption names the game's file, once it was loaded from one.
  const std::string caption = Caption();
  if (caption.compare(0, kTitlePrefix.size(), kTitlePrefix) == 0)
    text.SetValue(kGameSection, kRecoveredTitleKey, caption.substr(kTitlePrefix.size()));
  return text.Format();
}

void TQuiltraForm::KeepRecoveryCopy() {
  STATUS_FRAME("TQuiltraForm::KeepRecoveryCopy");
  frame.Run([&] {
    const bool modified = Game().Modified() && PicturesShown();
    const std::string text = modified ? RecoveryText() : std::string();
    switch (recovery_.Tick(modified, text)) {
      case TRecoveryKeeper::TAction::Write:
        WriteRecoveryCopy(text);
        break;
      case TRecoveryKeeper::TAction::Remove:
        RemoveRecoveryCopy();
        break;
      case TRecoveryKeeper::TAction::None:
        break;
    }
  });
  // Never shown: the player did not ask for it. A copy that can't be written
  // is tried again after the next change.
  frame.Local.Reset(fsPerfect);
}

void TQuiltraForm::WriteRecoveryCopy(const std::string& text) {
  // Counted as written even when it fails: tried again after the next change.
  recovery_.Wrote(text);
  WriteTextFileDurably(RecoveryFilePath(), text);
}

void TQuiltraForm::RemoveRecoveryCopy() {
  SetLastError(0);
  DeleteFileA(RecoveryFilePath().c_str());
  SetLastError(0);
  recovery_.Removed();
}

void TQuiltraForm::OfferRecoveredGame() {
  STATUS_FRAME("TQuiltraForm::OfferRecoveredGame");
  const std::string copy = RecoveryFilePath();
  if (!MyFileExists(copy)) return;
  frame.Run([&] {
    // Only a copy whose picture is still there is offered.
    std::string text;
    ReadTextFile(copy, text);
    if (frame.Adopt()) return;
    std::string picture;
    TStoredText::Parse(text).ReadString(kGameSection, "PictureTitle", picture, false,
                                        kMaxTitleLength);
    if (!MyFileExists(picture))
      return frame.Raise(__LINE__, "There is no such file.", picture, copy);
    if (!QueryDialog("The last game was not saved. Restore it?")) return RemoveRecoveryCopy();
    LoadGameFrom(copy, true);
    if (frame.Adopt()) return;
    // Saved, the game is written afresh, without the copy's own key.
    GameList->EditContents().Clear();
    // The copy stays until the game is saved or given up.
    recovery_.Wrote(RecoveryText());
  });
  // A copy that can't be restored is not worth a dialog: it goes, and the
  // start goes on as usual.
  if (frame.Failed()) {
    AppendErrorLog(ErrorLogPath(), BuildDialogText("Failed to restore the last game.",
                                                   frame.Local.GetReportText()));
    frame.Local.Reset(fsPerfect);
    RemoveRecoveryCopy();
  }
}

bool TQuiltraForm::EndSession() {
  STATUS_FRAME("TQuiltraForm::EndSession");
  frame.Run([&] {
    if (Game().Modified() && PicturesShown()) WriteRecoveryCopy(RecoveryText());
    if (OptionsList) (void)OptionsList->Save(false);
  });
  frame.Local.Reset(fsPerfect);
  return true;
}

void TQuiltraForm::StartKeepingRecovery() {
  RegisterForRestart();
  OnQueryEndSession = [this] { return EndSession(); };
  SetTimer(Handle(), kRecoveryTimer, 500, nullptr);
}
