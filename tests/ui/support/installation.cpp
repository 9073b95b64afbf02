#include "installation.h"

#include <shlobj.h>

#include <stdexcept>

#include "system.h"

namespace ui {

const char* const kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quiltra";
const char* const kTestReadme = "Quiltra for tests\r\nSecond line\r\n";

TDistribution::TDistribution(const std::string& exeName) {
  folder_ = root_.File(Name()) + "\\";
  CreateDirectoryA(folder_.c_str(), nullptr);
  CreateDirectoryA((folder_ + "Pictures").c_str(), nullptr);
  if (!CopyFileA(QuiltraExe().c_str(), (folder_ + exeName).c_str(), FALSE))
    throw std::runtime_error("cannot copy the program into " + folder_);
  exe_ = folder_ + exeName;
  WriteText(folder_ + "Readme.txt", kTestReadme);
  WriteText(folder_ + "Pictures\\Sample.jpg", "picture");
  WriteText(folder_ + "hidden.txt", "hidden");
  SetFileAttributesA((folder_ + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteText(folder_ + "system.txt", "system");
  SetFileAttributesA((folder_ + "system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
}

std::string TDistribution::Name() {
  return "QuiltraTest" + std::to_string(GetCurrentProcessId());
}

std::string TCleanInstallation::DesktopLink(bool everyUser) {
  return SpecialFolder(everyUser ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY) +
         "Quiltra.lnk";
}

std::string TCleanInstallation::Group(bool everyUser) {
  return SpecialFolder(everyUser ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS) + TDistribution::Name() +
         "\\";
}

std::string TCleanInstallation::InUserPrograms() {
  return SpecialFolder(CSIDL_LOCAL_APPDATA) + "Programs\\" + TDistribution::Name() + "\\";
}

void TCleanInstallation::Clean() {
  for (bool everyUser : {false, true}) {
    DeleteFileA(DesktopLink(everyUser).c_str());
    for (const char* name : {"Quiltra.lnk", "Uninstall.lnk", "Readme.lnk"})
      DeleteFileA((Group(everyUser) + name).c_str());
    RemoveDirectoryA(Group(everyUser).c_str());
  }
  RemoveTree(InUserPrograms());
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegDeleteKeyA(root, kUninstallKey);
    RegDeleteTreeA(root, "Software\\Classes\\Quiltra.Game");
    RegDeleteTreeA(root, "Software\\Classes\\.qtg");
  }
}

HWND EditOf(HWND window, bool multiline) {
  for (HWND edit : Children(window, "Edit"))
    if (((GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE) != 0) == multiline) return edit;
  return nullptr;
}

void SetInstallTo(HWND window, const std::string& directory) {
  SendMessageA(EditOf(window, false), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(directory.c_str()));
}

HWND PressInInstaller(const TProcess& installer, const std::string& button,
                      const std::string& target) {
  HWND window = installer.WaitWindow("TInstallForm");
  if (!window) return nullptr;
  if (!target.empty()) SetInstallTo(window, target);
  return PressButton(window, button) ? window : nullptr;
}

std::string AnswerBox(const TProcess& process, int button, std::string* caption) {
  HWND box = WaitMessageBox(process);
  if (!box) return "(no box)";
  const std::string text = MessageBoxText(box);
  if (caption) *caption = Text(box);
  PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
  return text;
}

}  // namespace ui
