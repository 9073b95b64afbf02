// The installer window: its layout, the install and uninstall texts, the
// read-me and the buttons. The work itself is in installing.cpp.
#include "installform.h"

#include <fstream>
#include <vector>

#include "core/pathtext.h"
#include "forms/application.h"
#include "platform/files.h"
#include "platform/program.h"

namespace {

const char* const kInstructions =
    "The program can be reinstalled without the need to uninstall its previous version. The "
    "existing options file will be preserved. If you want to repair the installed package, simply "
    "reinstall the program. Before continuing, close any running instances of the program.";

// More than any read-me needs; a bigger file shows its beginning.
constexpr std::streamsize kReadmeLimit = 1024 * 1024;

bool IsUninstallParameter(const std::string& parameter) {
  return SameTextAscii(parameter, "/Uninstall");
}

// Lines end with CR LF, LF or a lone CR.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

bool IsInstallerRun() {
  return SameTextAscii(GetProgramExeName(), "Install.exe") ||
         IsUninstallParameter(GetProgramParameter(1));
}

TInstallForm::TInstallForm() : TForm(TFormStyle{"TInstallForm", 400, 450, true}, "Install") {
  CreateComponents();
  InstallToEdit->SetCaption(GetProgramFilesPath());
  InstructionsLabel->SetCaption(kInstructions);
  LoadReadme();
  CenterOnScreen();
}

void TInstallForm::CreateComponents() {
  SetFont(Application->GetFont("Arial", 12));
  ShowHint = true;

  // clang-format off
  //                                          left  top  width height
  MainPanel = Add<TPanel>(                       5,   5,  390,   60, "Welcome");
  DescriptionLabel = Add<TLabel>(                5,  75, "Description", 390, 15, TAlignment::Center);
  VersionLabel = Add<TLabel>(                    5, 100, "Version",     390, 15, TAlignment::Center);
  InstructionsLabel = Add<TLabel>(              10, 125, "",            380, 65, TAlignment::Left, true);
  ReadmeMemo = Add<TMemo>(                       5, 200,  390,  145, true);
  InstallToLabel = Add<TLabel>(                  5, 360);
  InstallToEdit = Add<TEdit>(                   20, 380,  290,   23, true);
  InstallButton = Add<TButton>(                120, 415,   75,   25, "&Install");
  CancelButton = Add<TButton>(                 205, 415,   75,   25, "&Cancel");
  BrowseButton = Add<TButton>(                 320, 380,   75,   23, "&Browse");
  // clang-format on
  MainPanel->SetFont(Application->GetFont("Comic Sans MS", 30, {.Bold = true, .Italic = true}));
  SetTabOrder({MainPanel, ReadmeMemo, InstallToEdit, InstallButton, CancelButton, BrowseButton});

  TForm::CancelButton = CancelButton;  // Esc
  BrowseButton->OnClick = [this] { BrowseButtonClick(); };
  InstallButton->OnClick = [this] { InstallButtonClick(); };
  CancelButton->OnClick = [this] { CancelButtonClick(); };
  // The read-me is the active control when the window opens; later
  // activations return to wherever the focus was.
  OnActivate = [this] {
    if (!IsChild(Handle(), GetFocus())) ReadmeMemo->SetFocus();
  };
}

void TInstallForm::LoadReadme() {
  // Whatever goes wrong leaves the memo empty: the read-me is a courtesy.
  try {
    std::ifstream file(GetProgramFilePath("Readme.txt"), std::ios::binary);
    if (!file) return;
    std::string text(static_cast<size_t>(kReadmeLimit), '\0');
    file.read(text.data(), kReadmeLimit);
    text.resize(static_cast<size_t>(file.gcount()));
    ReadmeMemo->SetLines(SplitLines(text));
  } catch (...) {
    ReadmeMemo->SetText("");
  }
}

void TInstallForm::Prepare(const std::string& name, const std::string& title,
                           const std::string& version) {
  ProgramName = name;
  DescriptionLabel->SetCaption(title);
  VersionLabel->SetCaption(version);
  if (SameTextAscii(GetProgramExeName(), "Install.exe")) {
    SetCaption("Install " + ProgramName);
    MainPanel->SetCaption("Welcome to " + ProgramName);
    InstallToLabel->SetCaption("The program's installation directory will be put in directory:");
    InstallButton->SetCaption("&Install");
  }
  if (IsUninstallParameter(GetProgramParameter(1))) {
    SetCaption("Uninstall " + ProgramName);
    MainPanel->SetCaption("Bye from " + ProgramName);
    InstallToLabel->SetCaption("The following directory will be deleted:");
    InstallButton->SetCaption("Un&install");
    InstallToEdit->SetCaption(GetProgramDirectory());
    BrowseButton->SetEnabled(false);
  }
}

void TInstallForm::BrowseButtonClick() {
  std::string directory;
  if (BrowseDirectory(directory, "", "")) InstallToEdit->SetCaption(AddPathDelimiter(directory));
}

void TInstallForm::InstallButtonClick() {
  InstallButton->SetEnabled(false);
  if (Execute()) {
    Close();
  } else {
    // A refused directory: the user may choose another one.
    InstallButton->SetEnabled(true);
    InstallButton->SetFocus();
  }
}

void TInstallForm::CancelButtonClick() {
  Close();
}

bool TInstallForm::Execute() {
  if (InstallToEdit->Caption().empty()) return true;
  return IsUninstallParameter(GetProgramParameter(1)) ? Uninstall() : Install();
}
