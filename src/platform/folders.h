// The system's special folders and the folder browser.
#pragma once

#include <string>
#include <vector>

// A special folder by its CSIDL number, created when missing, with a
// trailing backslash; empty when the system doesn't know it.
std::string GetSystemDirectoryPath(int folderId);
// The same folder named for a message, also where the program can't use it
// (a name outside the code page with no short form).
std::string GetSystemDirectoryName(int folderId);
std::string GetPicturesPath();
std::string GetDesktopPath();
std::string GetProgramsMenuPath();
std::string GetProgramFilesPath();
std::string GetStartupPath();
// Where an installation's shortcuts go: the user's own desktop and Start
// menu, or those every user sees.
struct TShortcutFolders {
  std::string Desktop;                // empty where it can't be used
  std::string Programs;               // likewise
  std::vector<std::string> Unusable;  // the names of those that can't
};
TShortcutFolders GetShortcutFolders(bool allUsers);
// The current user's own programs folder ("Programs" in the user's local
// application data), created when missing; empty when it can't be made.
std::string GetUserProgramsPath();
std::string GetUserProgramsName();  // for a message, as above

// The system's folder browser, limited to file-system folders, starting at
// the root (the desktop when empty). True and the chosen folder in directory
// on OK; false and directory unchanged on Cancel.
bool BrowseDirectory(std::string& directory, const std::string& root, const std::string& caption);
