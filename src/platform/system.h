// What the program asks of the system beyond files: its version, and the
// uninstall entry in the registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The system's major version number is greater than 4.
bool IsWindowsVersion5OrLater();

// The uninstall entry lives in the uninstall list,
// "Software\Microsoft\Windows\CurrentVersion\Uninstall\" + key name, under
// the local machine's root for every user, or under the current user's root
// for an installation of that user's own.
enum class TUninstallRoot { LocalMachine, CurrentUser };

// The local machine's root as the entry functions use it. Tests put a key here
// that refuses what a standard user's HKEY_LOCAL_MACHINE refuses.
extern HKEY UninstallMachineRoot;

// True when the entry can be written under the root: it exists and takes
// values, or the uninstall list takes a new key. Nothing is written.
bool CanWriteUninstallRegistry(const std::string& keyName, TUninstallRoot root);
// What Settings shows of an installation beside its name; empty texts and a
// size of 0 are not written.
struct TUninstallDetails {
  std::string DisplayIcon;
  std::string DisplayVersion;
  std::string Publisher;
  std::string InstallLocation;
  std::string InstallDate;  // yyyymmdd
  uint32_t EstimatedSizeKB = 0;
};
// Creates the key when missing and writes "DisplayName", "UninstallString",
// the details given, and NoModify and NoRepair (there is only one way to
// install). A key that can't be opened is skipped silently; a value that
// can't be written is an error in FunStatContext.
void SetUninstallRegistry(const std::string& keyName, const std::string& displayName,
                          const std::string& uninstallCommand,
                          TUninstallRoot root = TUninstallRoot::LocalMachine,
                          const TUninstallDetails& details = {});
// Whether an entry of that name lies under the root.
bool HasUninstallEntry(const std::string& keyName, TUninstallRoot root);
// The root of the entry whose command starts programFile, the current
// user's looked at first; none when no entry names it.
std::optional<TUninstallRoot> FindUninstallEntry(const std::string& keyName,
                                                 const std::string& programFile);
// Deletes one entry: the one whose command starts programFile, the current
// user's or the local machine's; without a program file, the current user's,
// else the local machine's. An entry that names another installation stays:
// NoneNamesIt, as when there is none. Refused: the entry was there and stays.
enum class TEntryRemoval { Removed, NoneNamesIt, Refused };
TEntryRemoval DeleteUninstallerRegistry(const std::string& keyName,
                                        const std::string& programFile = "");

// A file type of the program's own: files ending in Extension are of the
// type ProgId, which the shell shows as Description with the program's icon
// and opens with "<program>" "%1".
struct TFileType {
  std::string Extension;  // ".qtg"
  std::string ProgId;
  std::string Description;
};
// Under the current user's classes or the local machine's, as the
// installation's entry is; the shell is told that associations changed.
// Failures are not reported: the type is a convenience.
void RegisterFileType(const TFileType& type, const std::string& program, TUninstallRoot root);
// Removes the type from both roots where its open command still starts
// program; another program's stays.
void UnregisterFileType(const TFileType& type, const std::string& program);
