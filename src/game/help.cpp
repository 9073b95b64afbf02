#include "help.h"

#include "core/statusframe.h"
#include "forms/application.h"
#include "platform/files.h"
#include "platform/program.h"

void ShowHelp(int context) {
  if (Application && !Application->HelpFile.empty() && MyFileExists(Application->HelpFile)) {
    Application->HelpContext(context);
    return;
  }
  STATUS_FRAME("ShowHelp");
  frame.Run([&] {
    RunFile(GetProgramFilePath("Readme.txt"), "", "", {.QuoteParameters = true});
    frame.Adopt();
  });
  frame.ShowStep(__LINE__, "Failed to open file.");
}
