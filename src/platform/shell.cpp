#include "shell.h"

#include <windows.h>
#include <shellapi.h>

#include "core/statusframe.h"
#include "platform/messages.h"

void RunFile(const std::string& file, const std::string& parameters, const std::string& directory,
             const TRunOptions& options) {
  STATUS_FRAME("RunFile");
  frame.Run([&] {
    if (file.empty()) return ErrorDialog("The name of the file is empty.");
    std::string passed;
    if (!parameters.empty())
      passed = options.QuoteParameters ? " \"" + parameters + "\"" : " " + parameters;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;  // 60 bytes
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_CONNECTNETDRV;
    // The main window owns whatever the shell shows. The platform layer does
    // not know the forms: it is the window at the root of the active one's
    // owners (the About dialog, say, is owned by the main window).
    HWND active = GetActiveWindow();
    info.hwnd = active ? GetAncestor(active, GA_ROOTOWNER) : nullptr;
    info.lpVerb = nullptr;  // the file's default action
    info.lpFile = file.c_str();
    info.lpParameters = passed.empty() ? nullptr : passed.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = options.Minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL;
    SetLastError(0);
    if (!ShellExecuteExA(&info))
      frame.Raise(__LINE__, "Failed to run file.", file, "", GetLastError());
  });
}

void OpenSite(const std::string& address, const std::string& failureMessage) {
  STATUS_FRAME("OpenSite");
  frame.Run([&] {
    RunFile(address, "", "", {.QuoteParameters = true});
    frame.Adopt();
  });
  frame.ShowStep(__LINE__, failureMessage);
}

std::string SitePageAddress(const std::string& path) {
  return kSiteAddress + path;
}
