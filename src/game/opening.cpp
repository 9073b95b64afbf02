// Pictures and games given from outside the menu: on the command line, by a
// second start, dropped on the window, pasted from the clipboard.
#include "game/opening.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/quiltraform.h"
#include "platform/clipboard.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace {

// Asks the window to open what waits, when it can.
const UINT kOpenWaitingMessage = WM_APP + 21;
const UINT_PTR kOpenWaitingTimer = 21;
// A second start's hand-over: WM_COPYDATA of this kind, with the path of the
// file to open (none: only to the front).
const ULONG_PTR kHandOverData = 0x51544731;  // "QTG1"
const DWORD kLongestHandOver = 32768;

// Where a pasted picture is written, named by the time it was pasted.
std::string PastedPicturePath() {
  const std::string pictures = GetPicturesPath();
  if (pictures.empty()) return "";
  const std::string folder = pictures + "Quiltra\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "Pasted %04u-%02u-%02u %02u.%02u.%02u", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond);
  std::string path = folder + stamp + ".png";
  for (int copy = 2; MyFileExists(path); ++copy)
    path = folder + stamp + " (" + std::to_string(copy) + ").png";
  return path;
}

}  // namespace

bool TQuiltraForm::CanOpen(const std::string& path) const {
  return SameTextAscii(GetFileExtension(path), ".qtg") || MatchesFileSpec(path, PictureExtensions);
}

bool TQuiltraForm::OpenFile(const std::string& path) {
  if (!CanOpen(path)) return false;
  if (SameTextAscii(GetFileExtension(path), ".qtg"))
    LoadGameFrom(path);
  else
    LoadGameFromPicture(path);
  return true;
}

void TQuiltraForm::OpenLater(const std::string& path) {
  waitingFiles_.push_back(path);
  PostMessageA(Handle(), kOpenWaitingMessage, 0, 0);
}

void TQuiltraForm::OpenWaitingFile() {
  if (waitingFiles_.empty()) return;
  // A dialog is open (the save question, say): the file waits for it.
  if (!IsWindowEnabled(Handle())) {
    SetTimer(Handle(), kOpenWaitingTimer, 250, nullptr);
    return;
  }
  KillTimer(Handle(), kOpenWaitingTimer);
  const std::string path = waitingFiles_.front();
  waitingFiles_.erase(waitingFiles_.begin());
  OpenFile(path);
  if (!waitingFiles_.empty()) PostMessageA(Handle(), kOpenWaitingMessage, 0, 0);
}

bool TQuiltraForm::HandleOpening(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kOpenWaitingMessage:
      OpenWaitingFile();
      return true;
    case WM_TIMER:
      if (wParam != kOpenWaitingTimer) return false;
      OpenWaitingFile();
      return true;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      const std::vector<std::string> files = DroppedFiles(drop);
      DragFinish(drop);
      // The first picture or game; what the open dialogs would not show is
      // passed over.
      const auto first = std::find_if(files.begin(), files.end(),
                                      [this](const std::string& file) { return CanOpen(file); });
      if (first != files.end()) OpenLater(*first);
      return true;
    }
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (!data || data->dwData != kHandOverData || data->cbData > kLongestHandOver) return false;
      // To the front, restored, or the dialog it shows.
      if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
      SetForegroundWindow(GetLastActivePopup(Handle()));
      std::string path(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
      path.erase(std::find(path.begin(), path.end(), '\0'), path.end());
      if (!path.empty()) OpenLater(path);
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void TQuiltraForm::PastePictureMenuClick() {
  STATUS_FRAME("TQuiltraForm::PastePictureMenuClick");
  frame.Run([&] {
    // Files copied in Explorer open as if dropped.
    const std::vector<std::string> files = ClipboardFiles();
    for (const std::string& file : files)
      if (OpenFile(file)) return;
    if (!files.empty()) return;
    // A saved game names its picture by path: a copied picture becomes a
    // file first.
    if (!ClipboardHasPicture()) return frame.Raise(__LINE__, "The clipboard holds no picture.");
    const std::string path = PastedPicturePath();
    if (path.empty() || !SaveClipboardPicture(path))
      return frame.Raise(__LINE__, "Failed to save file.", path);
    LoadGameFromPicture(path);
    // Kept only as the picture of the game it became.
    if (!IsSamePath(PictureTitle(), path)) DeleteFileA(path.c_str());
  });
  frame.ShowStep(__LINE__, "Failed to paste picture.");
}

void HandToRunningGame(const std::string& file) {
  // The running game may still be making its window.
  HWND game = nullptr;
  for (int attempt = 0; attempt < 50 && !game; ++attempt) {
    game = FindWindowA("TQuiltraForm", nullptr);
    if (!game) Sleep(100);
  }
  if (!game) return;
  DWORD process = 0;
  GetWindowThreadProcessId(game, &process);
  // This start is the one the player just made: it may hand the foreground on.
  AllowSetForegroundWindow(process);
  const std::string path = file.empty() ? std::string() : GetFullPath(file);
  COPYDATASTRUCT data{kHandOverData, static_cast<DWORD>(path.size()),
                      const_cast<char*>(path.data())};
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(game, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                      &answer);
}
