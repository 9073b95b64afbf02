#include "shell.h"

#include <windows.h>
#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "core/statusframe.h"
#include "platform/ansipaths.h"
#include "platform/handles.h"
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

bool IsProcessElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TKernelHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

namespace {

// A string for an automation call, freed with its owner.
struct TAutomationString {
  explicit TAutomationString(const std::string& ansi)
      : Value(SysAllocString(ToWide(ansi).c_str())) {}
  ~TAutomationString() { SysFreeString(Value); }
  TAutomationString(const TAutomationString&) = delete;
  TAutomationString& operator=(const TAutomationString&) = delete;
  BSTR Value;
};

}  // namespace

bool RunAsDesktopUser(const std::string& program, const std::string& directory) {
  // The desktop window's view, and through it the shell's automation object,
  // which runs in the desktop's process and starts programs with its rights.
  TComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.PutVoid())))
    return false;
  VARIANT desktop{};
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT none{};
  long window = 0;
  TComPtr<IDispatch> found;
  if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            found.Put()) != S_OK)
    return false;
  TComPtr<IServiceProvider> services;
  TComPtr<IShellBrowser> browser;
  TComPtr<IShellView> view;
  TComPtr<IDispatch> background;
  TComPtr<IShellFolderViewDual> folderView;
  TComPtr<IDispatch> application;
  TComPtr<IShellDispatch2> shell;
  if (FAILED(found->QueryInterface(IID_IServiceProvider, services.PutVoid())) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.PutVoid())) ||
      FAILED(browser->QueryActiveShellView(view.Put())) ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.PutVoid())) ||
      FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.PutVoid())) ||
      FAILED(folderView->get_Application(application.Put())) ||
      FAILED(application->QueryInterface(IID_IShellDispatch2, shell.PutVoid())))
    return false;
  const TAutomationString file(program);
  const TAutomationString folder(directory);
  VARIANT arguments{};
  VARIANT in{};
  in.vt = VT_BSTR;
  in.bstrVal = folder.Value;
  VARIANT verb{};
  VARIANT show{};
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell->ShellExecute(file.Value, arguments, in, verb, show));
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
