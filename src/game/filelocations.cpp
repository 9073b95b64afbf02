#include "filelocations.h"

#include <windows.h>
#include <shlobj.h>

#include "core/pathtext.h"
#include "game/identity.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/program.h"

namespace {

const char* const kOptionsName = "Quiltra.ini";
const char* const kLogName = "Errors.log";
const std::string kGamesName = std::string(kGamesFolderName) + "\\";

// "%APPDATA%\Quiltra\", created when missing; empty when the system has no
// such folder, and the program's folder stays in use.
std::string UserDataFolder() {
  const std::string appData = GetSystemDirectoryPath(CSIDL_APPDATA);
  if (appData.empty()) return "";
  const std::string folder = appData + kProgramName + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

struct TLocations {
  bool NextToProgram = true;
  std::string Unusable;     // the user's folder that should have been used
  std::string DataFolder;   // options and log, with a trailing backslash
  std::string GamesFolder;  // with a trailing backslash
};

// Whether the path lies in the folder or below it, as long names.
bool LiesIn(const std::string& path, const std::string& folder) {
  if (folder.empty()) return false;
  const std::string inner = AddPathDelimiter(GetLongPath(path));
  const std::string outer = AddPathDelimiter(GetLongPath(folder));
  return inner.size() > outer.size() && SameTextAscii(inner.substr(0, outer.size()), outer);
}

// The program runs from where the installer installs: Program Files (either
// of them on 64-bit Windows) or the user's own programs folder.
bool RunsFromInstalledPlace() {
  const std::string program = GetProgramDirectory();
  return LiesIn(program, GetSystemDirectoryPath(CSIDL_PROGRAM_FILES)) ||
         LiesIn(program, GetSystemDirectoryPath(CSIDL_PROGRAM_FILESX86)) ||
         LiesIn(program, GetUserProgramsPath());
}

TLocations Decide() {
  TLocations locations;
  locations.DataFolder = GetProgramFilePath("");
  locations.GamesFolder = GetProgramFilePath(kGamesName);
  // An installed copy keeps the player's files where no uninstallation and
  // no backup of the documents misses them; so does one whose folder can't
  // be written. A copy anywhere else (unpacked, portable) keeps them next to
  // itself.
  if (!RunsFromInstalledPlace() && CanWriteInDirectory(GetProgramDirectory())) return locations;
  const std::string userData = UserDataFolder();
  const std::string documents = GetSystemDirectoryPath(CSIDL_PERSONAL);
  // A name outside the code page without a short form can't be used.
  if (userData.empty() || documents.empty()) {
    locations.Unusable = userData.empty()
                             ? GetSystemDirectoryName(CSIDL_APPDATA) + kProgramName + "\\"
                             : GetSystemDirectoryName(CSIDL_PERSONAL) + kGamesName;
    return locations;
  }
  locations.NextToProgram = false;
  // Settings made while the folder could still be written (or shipped with
  // the program) carry over once; the user's own copy then holds.
  CopyFileA(GetProgramFilePath(kOptionsName).c_str(), (userData + kOptionsName).c_str(), TRUE);
  locations.DataFolder = userData;
  locations.GamesFolder = documents + kGamesName;
  return locations;
}

const TLocations& Locations() {
  static const TLocations locations = Decide();
  return locations;
}

}  // namespace

bool KeepsFilesNextToProgram() {
  return Locations().NextToProgram;
}

std::string UnusableUserFolder() {
  return Locations().Unusable;
}

std::string OptionsFilePath() {
  return Locations().DataFolder + kOptionsName;
}

std::string RecoveryFilePath() {
  return Locations().DataFolder + "Recovery.qtg";
}

std::string ErrorLogPath() {
  return Locations().DataFolder + kLogName;
}

std::string GamesFolderPath() {
  return Locations().GamesFolder;
}

std::vector<std::string> CarryGamesOver() {
  std::vector<std::string> failed;
  if (KeepsFilesNextToProgram()) return failed;
  const std::string from = GetProgramFilePath(kGamesName);
  const std::string to = GamesFolderPath();
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return failed;
  CreateDirectoryA(to.c_str(), nullptr);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    // Never over a game of the same name in the user's folder.
    SetLastError(0);
    if (!CopyFileA((from + found.cFileName).c_str(), (to + found.cFileName).c_str(), TRUE) &&
        GetLastError() != ERROR_FILE_EXISTS)
      failed.push_back(from + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return failed;
}

std::string CarriedGamePath(const std::string& path) {
  const std::string from = GetProgramFilePath(kGamesName);
  if (KeepsFilesNextToProgram() || !IsSamePath(GetFileDirectory(path), from)) return path;
  const std::string carried = GamesFolderPath() + GetFileNameOnly(path);
  return MyFileExists(carried) ? carried : path;
}
