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
const char* const kGamesName = "QuiltraGames\\";

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
  std::string DataFolder;   // options and log, with a trailing backslash
  std::string GamesFolder;  // with a trailing backslash
};

TLocations Decide() {
  TLocations locations;
  locations.DataFolder = GetProgramFilePath("");
  locations.GamesFolder = GetProgramFilePath(kGamesName);
  if (CanWriteInDirectory(GetProgramDirectory())) return locations;
  const std::string userData = UserDataFolder();
  const std::string documents = GetSystemDirectoryPath(CSIDL_PERSONAL);
  if (userData.empty() || documents.empty()) return locations;
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

std::string OptionsFilePath() {
  return Locations().DataFolder + kOptionsName;
}

std::string ErrorLogPath() {
  return Locations().DataFolder + kLogName;
}

std::string GamesFolderPath() {
  return Locations().GamesFolder;
}
