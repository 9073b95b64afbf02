#include "testsupport.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/program.h"
#include "platform/system.h"

namespace test {

TTempFolder::TTempFolder() {
  static int counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "quiltra-platform-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter) + "\\";
  RemoveTree(path_);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TTempFolder::~TTempFolder() {
  RemoveTree(path_);
}

void RemoveTree(const std::string& directory) {
  std::string base = directory;
  if (!base.empty() && base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((base + "*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = base + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  SetFileAttributesA(base.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(base.c_str());
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

void MakeDirectory(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr)) throw std::runtime_error("cannot create " + path);
}

TCurrentDirectory::TCurrentDirectory(const std::string& path) {
  GetCurrentDirectoryA(MAX_PATH, old_);
  SetCurrentDirectoryA(path.c_str());
}

TCurrentDirectory::~TCurrentDirectory() {
  SetCurrentDirectoryA(old_);
}

namespace {

struct TSearch {
  std::string Caption;
  HWND Found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  char className[64] = {}, caption[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (std::string(className) == "#32770" && search->Caption == caption) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessDialog(const std::string& caption) {
  TSearch search{caption};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

TDialogAnswerer::TDialogAnswerer(const std::string& caption, int buttonId,
                                 std::function<void(HWND)> onFound)
    : thread_([this, caption, buttonId, onFound] {
        for (int waited = 0; waited < 15000; waited += 50) {
          HWND dialog = FindProcessDialog(caption);
          if (!dialog) {
            Sleep(50);
            continue;
          }
          char text[1024] = {};
          // A message box keeps its text in the static control 0xFFFF.
          if (HWND message = GetDlgItem(dialog, 0xFFFF)) GetWindowTextA(message, text, sizeof text);
          text_ = text;
          if (onFound) onFound(dialog);
          // Sent, not posted: nothing the dialog has queued comes between
          // what onFound did and the press.
          DWORD_PTR result = 0;
          SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                              reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)), SMTO_NORMAL,
                              5000, &result);
          return;
        }
      }) {}

TDialogAnswerer::~TDialogAnswerer() {
  if (thread_.joinable()) thread_.join();
}

const std::string& TDialogAnswerer::Text() {
  if (thread_.joinable()) thread_.join();
  return text_;
}

std::string HelperPath() {
  return GetProgramFilePath("platform_helper.exe");
}

THelperOutput::THelperOutput(const TTempFolder& folder) : path_(folder / "helper-output.txt") {
  SetEnvironmentVariableA("QUILTRA_HELPER_OUTPUT", path_.c_str());
}

THelperOutput::~THelperOutput() {
  SetEnvironmentVariableA("QUILTRA_HELPER_OUTPUT", nullptr);
}

std::string THelperOutput::WaitLine() {
  for (int waited = 0; waited < 15000; waited += 50) {
    const std::string text = ReadText(path_);
    const auto end = text.find('\n');
    if (end != std::string::npos) return text.substr(0, end);
    Sleep(50);
  }
  return "(no output)";
}

TRefusedMachineRoot::TRefusedMachineRoot() : old_(UninstallMachineRoot) {
  // A handle value no key ever has: every registry call on it fails.
  UninstallMachineRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x0ffffffc));
}

TRefusedMachineRoot::~TRefusedMachineRoot() {
  UninstallMachineRoot = old_;
}

}  // namespace test
