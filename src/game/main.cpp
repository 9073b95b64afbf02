// The entry point: game or installer, one game instance at a time, the
// windows, the message loop.
#include <windows.h>

#include <memory>

#include "core/statusframe.h"
#include "forms/application.h"
#include "game/aboutform.h"
#include "game/errorform.h"
#include "game/identity.h"
#include "game/installform.h"
#include "game/opening.h"
#include "game/quiltraform.h"
#include "platform/error.h"
#include "platform/gdiplus.h"
#include "platform/messages.h"
#include "platform/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  STATUS_FRAME("WinMain");
  std::unique_ptr<TApplication> application;
  std::unique_ptr<TGdiplusSession> gdiplus;
  std::unique_ptr<TQuiltraForm> mainForm;
  std::unique_ptr<TInstallForm> installForm;
  std::unique_ptr<TErrorForm> errorForm;
  std::unique_ptr<TAboutForm> aboutForm;
  bool secondInstance = false;
  frame.Run([&] {
    // First, so a failure in any later step reports with its time and path.
    InstallErrorReporting();
    const bool installerRun = IsInstallerRun();
    const TOtherInstance other =
        installerRun ? TOtherInstance::None : FindOtherProgramInstance(kProgramName);
    if (other != TOtherInstance::None) {
      // A game the player started as an administrator can't be reached from
      // here; without a word, this start would seem to do nothing.
      if (other == TOtherInstance::RunningElevated)
        MessageDialog(std::string(kProgramName) +
                      " is already running with administrator rights. Close it, then start " +
                      kProgramName + " again.");
      else
        HandToRunningGame(GetProgramParameter(1));
      secondInstance = true;
      return;
    }
    if (!IsProgramPathUsable())
      ErrorDialog(
          "The program's folder has a name that this system's character set cannot "
          "hold, and no short form. Its files cannot be found there: please move the "
          "program to a folder with another name.");
    application = std::make_unique<TApplication>();
    application->Title = kProgramName;
    // The first window is the main window; the dialogs are owned by it.
    TForm* owner = nullptr;
    if (installerRun) {
      installForm = std::make_unique<TInstallForm>();
      owner = installForm.get();
    } else {
      // The game decodes pictures through GDI+ while its window lives.
      gdiplus = std::make_unique<TGdiplusSession>();
      mainForm = std::make_unique<TQuiltraForm>(*gdiplus);
      owner = mainForm.get();
    }
    errorForm = std::make_unique<TErrorForm>(owner);
    ShowFailuresIn(*errorForm);
    if (installerRun) {
      installForm->Prepare(kProgramName, kProgramTitle, kProgramVersion);
    } else {
      aboutForm = std::make_unique<TAboutForm>(owner);
      mainForm->BeforeRun(*aboutForm);
    }
    application->Run();
  });
  if (secondInstance) return 0;
  frame.ShowStep(__LINE__, "");
  ReleaseProgramInstance();
  // The dialogs go first: they are owned by the main window.
  aboutForm.reset();
  errorForm.reset();
  installForm.reset();
  mainForm.reset();
  gdiplus.reset();
  application.reset();
  return 0;
}
