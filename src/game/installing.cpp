// Installing the distribution and uninstalling it again: the copy, the
// shortcuts, the uninstall entry, and the directories that are refused.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/filelocations.h"
#include "game/installform.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/program.h"
#include "platform/system.h"

namespace {

const char* const kUninstallParameter = "/Uninstall";

const char* const kRootDistribution =
    "The program can't be installed from the root directory of a drive. Put the distribution in a "
    "directory of its own and start \"Install.exe\" from there.";

const char* const kSameDirectory =
    "The program would be installed in the directory it is installed from. Choose another "
    "installation directory.";

// A directory is its own installation's only when it lies in a folder of its
// own: uninstalling deletes everything in it.
bool IsRootDirectory(const std::string& directory) {
  return directory.empty() || PathIsRootA(AddPathDelimiter(directory).c_str()) ||
         IsDriveOnly(RemovePathDelimiter(directory));
}

// The folders of the system and of the user that no program owns. Looked up
// without creating them.
bool IsSharedFolder(const std::string& directory) {
  const int folders[] = {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL,      CSIDL_MYPICTURES,
                         CSIDL_PROFILE,          CSIDL_PROGRAM_FILES, CSIDL_PROGRAMS,
                         CSIDL_WINDOWS,          CSIDL_SYSTEM,        CSIDL_STARTUP};
  for (int folder : folders) {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) &&
        path[0] && IsSamePath(path, directory))
      return true;
  }
  return false;
}

// The directory a copy into parent writes in: the program's folder when an
// earlier installation made it, else the parent itself.
bool CanInstallInto(const std::string& parent, const std::string& folder) {
  if (parent.empty()) return false;
  const std::string target = AddPathDelimiter(parent) + folder;
  return CanWriteInDirectory(MyFileExists(target) ? target : parent);
}

// Settings lists a user's own installation beside one for every user: the
// user's is told apart by its name.
std::string UninstallDisplayName(const std::string& program, TUninstallRoot root) {
  return root == TUninstallRoot::CurrentUser &&
                 HasUninstallEntry(program, TUninstallRoot::LocalMachine)
             ? program + " (this user)"
             : program;
}

// What Settings shows of the installation: the program's icon, version and
// maker as its version resource has them, its folder, today and its size.
TUninstallDetails UninstallDetails(const std::string& exe, const std::string& folder) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  char date[16];
  wsprintfA(date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
  return TUninstallDetails{.DisplayIcon = exe,
                           .DisplayVersion = VersionResourceText(exe, "ProductVersion"),
                           .Publisher = VersionResourceText(exe, "CompanyName"),
                           .InstallLocation = folder,
                           .InstallDate = date,
                           .EstimatedSizeKB = FolderSizeKB(folder)};
}

// True when the directory holds nothing but the file and the entry kept.
bool HoldsOnly(const std::string& directory, const std::string& file, const std::string& kept) {
  WIN32_FIND_DATAA entry{};
  SetLastError(0);
  HANDLE search = FindFirstFileA((AddPathDelimiter(directory) + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return true;  // the directory itself went
  bool only = true;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != ".." && !IsSamePath(AddPathDelimiter(directory) + name, file) &&
        !SameTextAscii(name, kept))
      only = false;
  } while (only && FindNextFileA(search, &entry));
  FindClose(search);
  return only;
}

// Saved games open with the program from Explorer.
const TFileType kGameFileType{".qtg", "Quiltra.Game", "Quiltra game"};

// Deletes a file the installer made; a missing one is no matter.
void DeleteMadeFile(const std::string& folder, const std::string& name) {
  if (folder.empty()) return;  // a relative name would point anywhere
  SetLastError(0);
  DeleteFileA((AddPathDelimiter(folder) + name).c_str());
}

}  // namespace

TInstallPlace ChooseInstallPlace(const std::string& chosen, const std::string& folder,
                                 const std::string& keyName) {
  // Where the system lets everything be written, it all stays as chosen.
  const bool chosenWritable = CanInstallInto(chosen, folder);
  if (chosenWritable && CanWriteUninstallRegistry(keyName, TUninstallRoot::LocalMachine))
    return {chosen, TUninstallRoot::LocalMachine, ""};
  // A standard user: the default goes into the user's own programs folder,
  // and the entry into the user's own list.
  if (IsSamePath(chosen, GetProgramFilesPath())) {
    const std::string own = GetUserProgramsPath();
    if (CanInstallInto(own, folder)) return {own, TUninstallRoot::CurrentUser, ""};
    // Without a short form, a name outside the code page can't be used.
    if (!chosenWritable)
      return {"", TUninstallRoot::CurrentUser, own.empty() ? GetUserProgramsName() : own};
  }
  return {chosenWritable ? chosen : std::string(), TUninstallRoot::CurrentUser, ""};
}

bool TInstallForm::Install() {
  STATUS_FRAME("TInstallForm::Install");
  bool finished = true;
  frame.Run([&] {
    const std::string installTo = InstallToEdit->Caption();
    if (installTo.empty()) return frame.Raise(__LINE__, "Installation directory is empty.");
    // The folder name is the distribution's own, in its long form.
    const std::string source = GetLongPath(GetProgramDirectory());
    const std::string folder = GetFileNameOnly(RemovePathDelimiter(source));
    if (IsRootDirectory(source) || folder.empty()) {
      ErrorDialog(kRootDistribution);
      finished = false;
      return;
    }
    const TInstallPlace place = ChooseInstallPlace(installTo, folder, ProgramName);
    if (place.Parent.empty()) {
      // The earlier installation's folder, when that is what refused.
      const std::string earlier = AddPathDelimiter(installTo) + folder;
      const std::string refused = !place.Refused.empty()  ? place.Refused
                                  : MyFileExists(earlier) ? earlier
                                                          : installTo;
      ErrorDialog("You cannot write in directory \"" + refused +
                  "\". Choose another installation directory.");
      finished = false;
      return;
    }
    const std::string target = AddPathDelimiter(place.Parent) + folder;
    // Copying a directory onto itself would leave no distribution behind.
    if (IsSamePath(target, source)) {
      ErrorDialog(kSameDirectory);
      finished = false;
      return;
    }
    // The copy would fail file by file; the folder is named instead.
    if (IsFolderTooLong(AddPathDelimiter(target) + kGamesFolderName + "\\")) {
      ErrorDialog("The path of directory \"" + target +
                  "\" is too long. Choose a shorter installation directory.");
      finished = false;
      return;
    }
    if (!QueryDialog("Install the program in directory \"" + target + "\"?")) return;

    // A failed copy has shown its own box. It ends the installation before
    // the program is put in place, and a folder it made goes again.
    const bool newFolder = !MyFileExists(target);
    CopyDeleteDirectory(source, target, true);
    if (frame.Adopt()) {
      if (newFolder) DeleteDirectoryNoErrors(target);
      return;
    }

    const std::string exe = AddPathDelimiter(target) + ProgramName + ".exe";
    // Quoted, so that a path with blanks stays one command.
    const std::string uninstallCommand = "\"" + exe + "\" " + kUninstallParameter;
    const std::string readme = AddPathDelimiter(target) + "Readme.txt";
    MyRenameFile(AddPathDelimiter(target) + "Install.exe", exe, true);
    if (frame.Adopt()) return;

    // Shortcuts and the uninstall entry are conveniences: their failures are
    // not reported.
    // A machine-wide installation is every user's: its shortcuts are too.
    const std::string linkName = ProgramName + ".lnk";
    const TShortcutFolders shortcuts =
        GetShortcutFolders(place.Root == TUninstallRoot::LocalMachine);
    const std::string& desktop = shortcuts.Desktop;
    const TLinkOptions linkOptions{.Overwrite = true, .StartInTargetDirectory = true};
    if (!desktop.empty()) CopyFileAsLink(exe, desktop + linkName, "", linkOptions);
    const std::string& programs = shortcuts.Programs;
    if (!programs.empty()) {
      const std::string group = AddPathDelimiter(AddPathDelimiter(programs) + folder);
      SetLastError(0);
      CreateDirectoryA(group.c_str(), nullptr);
      CopyFileAsLink(exe, group + linkName, "", linkOptions);
      CopyFileAsLinkWithParam(exe, group + "Uninstall" + GetLinkExtension(exe), kUninstallParameter,
                              linkOptions);
      CopyFileAsLink(readme, group + "Readme" + GetLinkExtension(readme), "", linkOptions);
    }
    SetUninstallRegistry(ProgramName, UninstallDisplayName(ProgramName, place.Root),
                         uninstallCommand, place.Root, UninstallDetails(exe, target));
    RegisterFileType(kGameFileType, exe, place.Root);

    // The game starts in its own directory, so that it holds no other
    // directory open. An installer the player approved as an administrator
    // starts it as the signed-in player, through the desktop: an elevated
    // game would keep its files where later starts never look, and lock the
    // player's own starts out.
    std::string notes;
    for (const std::string& name : shortcuts.Unusable)
      notes += " No shortcut could be made in \"" + name +
               "\": this system's character set cannot hold its name, and it has no short form.";
    if (!IsProcessElevated()) {
      RunFile(exe, "", GetFileDirectory(exe), {.QuoteParameters = true});
      if (frame.Adopt()) return;
    } else if (!RunAsDesktopUser(exe, GetFileDirectory(exe))) {
      notes += " Start the game from its shortcut or from \"" + exe + "\".";
    }
    if (!notes.empty()) MessageDialog("Installation successful." + notes);
  });
  frame.ShowStep(__LINE__,
                 "Failed to install program. Check to see if you have rights to write in the "
                 "installation directory.");
  return finished;
}

bool TInstallForm::Uninstall() {
  STATUS_FRAME("TInstallForm::Uninstall");
  bool finished = true;
  frame.Run([&] {
    const std::string directory = InstallToEdit->Caption();
    if (directory.empty()) return frame.Raise(__LINE__, "Uninstallation directory is empty.");
    if (IsRootDirectory(directory) || IsSharedFolder(directory)) {
      ErrorDialog("The program lies in directory \"" + directory +
                  "\", which is not a directory of its own. Uninstalling would delete everything "
                  "in it, so nothing is deleted.");
      finished = false;
      return;
    }
    // Saved games never go with the program: a games folder inside it stays.
    const std::string games = AddPathDelimiter(directory) + kGamesFolderName;
    const DWORD gamesAttributes = GetFileAttributesA(games.c_str());
    const bool keepsGames = gamesAttributes != INVALID_FILE_ATTRIBUTES &&
                            (gamesAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string gamesKept =
        keepsGames ? " The saved games in \"" + games + "\" are kept." : std::string();
    if (!QueryDialog("Delete directory \"" + directory + "\" (and all contained files)?" +
                     gamesKept))
      return;

    // The running program stays; anything else left means the user may not
    // delete here. The shortcuts and the entry then stay too, so that the
    // program can still be used and uninstalled by someone who may.
    DeleteDirectoryNoErrors(directory, kGamesFolderName);
    if (!HoldsOnly(directory, GetProgramFileName(), kGamesFolderName)) {
      ErrorDialog("Could not delete directory \"" + directory +
                  "\". Run the uninstaller as an administrator.");
      return;
    }
    // The shortcuts lie where the installation's entry says: every user's
    // for a machine-wide one.
    const TShortcutFolders shortcuts = GetShortcutFolders(
        FindUninstallEntry(ProgramName, GetProgramFileName()) == TUninstallRoot::LocalMachine);
    DeleteMadeFile(shortcuts.Desktop, ProgramName + ".lnk");
    // The start-menu folder was named after the long folder name, whatever
    // path this run was started by.
    const std::string folder =
        GetFileNameOnly(RemovePathDelimiter(GetLongPath(GetFileDirectory(GetProgramFileName()))));
    const std::string& programs = shortcuts.Programs;
    if (!programs.empty() && !folder.empty() && !IsDriveOnly(folder))
      DeleteDirectoryNoErrors(AddPathDelimiter(programs) + folder);
    DeleteMadeFile(GetStartupPath(), ChangeFileExtension(GetProgramExeName(), "") + ".lnk");
    UnregisterFileType(kGameFileType, GetProgramFileName());
    switch (DeleteUninstallerRegistry(ProgramName, GetProgramFileName())) {
      case TEntryRemoval::Refused:
        ErrorDialog("Could not remove the uninstall entry of " + ProgramName +
                    ". Run the uninstaller as an administrator.");
        return;
      case TEntryRemoval::NoneNamesIt:
        // Run by another account (an administrator approving Settings' run,
        // say): that account has no entry of this installation to remove.
        ErrorDialog("The program in directory \"" + directory +
                    "\" was deleted, but no uninstall entry of this account names it. If "
                    "another account installed it, its entry and shortcuts stay until that "
                    "account uninstalls the program from Settings." +
                    gamesKept);
        return;
      case TEntryRemoval::Removed:
        break;
    }
    MessageDialog("Uninstallation successful. Some files that were in use were not deleted." +
                  gamesKept);
  });
  frame.ShowStep(__LINE__, "Failed to uninstall program.");
  return finished;
}
