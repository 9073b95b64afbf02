// The entry point: game or installer, one game instance at a time, the
// windows, the message loop.
#include <windows.h>

#include <memory>

#include "core/statusframe.h"
#include "forms/application.h"
#include "game/errorform.h"
#include "game/identity.h"
#include "game/quiltraform.h"
#include "platform/error.h"
#include "platform/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  STATUS_FRAME("WinMain");
  std::unique_ptr<TApplication> application;
  std::unique_ptr<TQuiltraForm> mainForm;
  std::unique_ptr<TErrorForm> errorForm;
  bool secondInstance = false;
  frame.Run([&] {
    if (IsProgramInstanceRunning(kProgramName)) {
      secondInstance = true;
      return;
    }
    InstallErrorReporting();
    application = std::make_unique<TApplication>();
    application->Title = kProgramName;
    mainForm = std::make_unique<TQuiltraForm>();
    QuiltraForm = mainForm.get();
    errorForm = std::make_unique<TErrorForm>();
    QuiltraForm->BeforeRun();
    application->Run();
  });
  if (secondInstance) return 0;
  frame.ShowStep(__LINE__, "");
  ReleaseProgramInstance();
  // The dialog goes first: it is owned by the main window.
  errorForm.reset();
  mainForm.reset();
  application.reset();
  return 0;
}
