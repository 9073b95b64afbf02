// The installer and uninstaller window. Started as "Install.exe", the
// program copies its folder into a chosen parent folder, makes shortcuts and
// the uninstall entry and starts the installed game; started with
// "/Uninstall", it removes what the installer made.
#pragma once

#include <string>

#include "forms/controls.h"
#include "forms/form.h"
#include "platform/system.h"

// True when this run is the installer or the uninstaller: the executable is
// named "Install.exe", or the first parameter is "/Uninstall" (ASCII case
// ignored in both).
bool IsInstallerRun();

// Where an installation goes: the parent folder of the program's folder and
// the root of its uninstall entry. The chosen folder with the local machine's
// entry when both can be written; otherwise, for a user who may not, the
// user's own programs folder in place of the default (Program Files), or the
// chosen folder, with the user's own entry. Parent is empty when the chosen
// folder can't be written; Refused then names the user's programs folder
// where that was tried too and could not be used.
struct TInstallPlace {
  std::string Parent;
  TUninstallRoot Root;
  std::string Refused;
};
TInstallPlace ChooseInstallPlace(const std::string& chosen, const std::string& folder,
                                 const std::string& keyName);

class TInstallForm : public TForm {
 public:
  // The first form of an installer run, and so its main window.
  TInstallForm();

  // Takes the program's name, title and version and chooses the install or
  // uninstall texts.
  void Prepare(const std::string& name, const std::string& title, const std::string& version);

  // --- components, in tab order ---
  TPanel* MainPanel;
  TLabel* DescriptionLabel;
  TLabel* VersionLabel;
  TLabel* InstructionsLabel;
  TMemo* ReadmeMemo;
  TLabel* InstallToLabel;
  TEdit* InstallToEdit;
  TButton* InstallButton;
  TButton* CancelButton;  // also the form's own CancelButton, for Esc
  TButton* BrowseButton;

  std::string ProgramName;

  void BrowseButtonClick();
  void InstallButtonClick();
  void CancelButtonClick();
  // Installs or uninstalls, as the command line says; nothing when the
  // directory field is empty. False when the directory was refused and the
  // window stays open for another choice.
  bool Execute();
  bool Install();
  bool Uninstall();

 private:
  void CreateComponents();
  void LoadReadme();
};
