// The system's special folders and the folder browser.
#pragma once

#include <string>

// A special folder by its CSIDL number, created when missing, with a
// trailing backslash; empty when the system doesn't know it.
std::string GetSystemDirectoryPath(int folderId);
std::string GetPicturesPath();
std::string GetDesktopPath();
std::string GetProgramsMenuPath();
std::string GetProgramFilesPath();
std::string GetStartupPath();
// Where an installation's shortcuts go: the user's own desktop and Start
// menu, or those every user sees.
struct TShortcutFolders {
  std::string Desktop;
  std::string Programs;
};
TShortcutFolders GetShortcutFolders(bool allUsers);
// The current user's own programs folder ("Programs" in the user's local
// application data), created when missing; empty when it can't be made.
std::string GetUserProgramsPath();

// The system's folder browser, limited to file-system folders, starting at
// the root (the desktop when empty). True and the chosen folder in directory
// on OK; false and directory unchanged on Cancel.
bool BrowseDirectory(std::string& directory, const std::string& root, const std::string& caption);
