// What the program asks of the system beyond files: its version, and the
// uninstall entry in the registry.
#pragma once

#include <string>

// The system's major version number is greater than 4.
bool IsWindowsVersion5OrLater();

// The uninstall entry lives under HKEY_LOCAL_MACHINE in
// "Software\Microsoft\Windows\CurrentVersion\Uninstall\" + key name.
// Creates the key when missing and writes "DisplayName" and
// "UninstallString". A key that can't be opened is skipped silently; a value
// that can't be written is an error in FunStatContext.
void SetUninstallRegistry(const std::string& keyName, const std::string& displayName,
                          const std::string& uninstallCommand);
// Deletes the key with its values; the outcome is not examined.
void DeleteUninstallerRegistry(const std::string& keyName);
