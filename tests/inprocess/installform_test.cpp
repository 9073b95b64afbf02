// The installer window in process: its layout, and what it shows before its
// mode is chosen. (Installing and uninstalling run the real executable in the
// UI tests: they act on the running program's own folder.)
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "forms/application.h"
#include "game/installform.h"
#include "platform/files.h"
#include "testsupport.h"

namespace {

LONG StyleOf(const TControl* control) {
  return GetWindowLongA(control->Handle(), GWL_STYLE);
}

}  // namespace

TEST(InstallForm, LaidOutAsItsResourceAndCentredOnTheScreen) {
  TApplication application;
  TInstallForm form;
  EXPECT_EQ(application.MainForm, &form);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 450);
  const LONG style = StyleOf(&form);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  RECT work{}, window{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(form.Handle(), &window);
  EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
  EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);

  // The texts and the read-me in a column, the instructions centred, the
  // target field beside "Browse", "Install" and "Cancel" centred at the foot.
  EXPECT_EQ(test::FormLayoutFaults(form, {.Gap = 5, .Grid = 5}), "");
  EXPECT_EQ(test::ColumnFaults(test::Handles({form.MainPanel, form.DescriptionLabel,
                                              form.VersionLabel, form.ReadmeMemo}),
                               true),
            "");
  EXPECT_EQ(test::ColumnFaults(test::Handles({form.ReadmeMemo, form.InstallToLabel})), "");
  EXPECT_EQ(test::RowFaults(test::Handles({form.InstructionsLabel}), true), "");
  EXPECT_EQ(test::RowFaults(test::Handles({form.InstallToEdit, form.BrowseButton})), "");
  EXPECT_EQ(test::RowFaults(test::Handles({form.InstallButton, form.CancelButton}), true), "");
  const auto place = [](const TControl* control) { return test::PlaceInParent(control->Handle()); };
  EXPECT_EQ(place(form.BrowseButton).right, place(form.ReadmeMemo).right);
  EXPECT_GE(place(form.InstallToEdit).top, place(form.InstallToLabel).bottom);
  EXPECT_GE(place(form.InstallButton).top, place(form.InstallToEdit).bottom);
  EXPECT_EQ(form.InstallButton->Caption(), "&Install");
  EXPECT_EQ(form.CancelButton->Caption(), "&Cancel");
  EXPECT_EQ(form.BrowseButton->Caption(), "&Browse");
  EXPECT_EQ(static_cast<TForm&>(form).CancelButton, form.CancelButton);

  // The read-me: read-only, scrolled vertically, lines wrapped, Enter not
  // taken; the target field read-only.
  const LONG memo = StyleOf(form.ReadmeMemo);
  EXPECT_TRUE(memo & ES_READONLY);
  EXPECT_TRUE(memo & WS_VSCROLL);
  EXPECT_TRUE(memo & ES_NOHIDESEL);
  EXPECT_FALSE(memo & (ES_WANTRETURN | ES_AUTOHSCROLL));
  EXPECT_TRUE(StyleOf(form.InstallToEdit) & ES_READONLY);

  LOGFONTA font{};
  GetObjectA(form.Font(), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -12);
  GetObjectA(form.MainPanel->Font(), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "Comic Sans MS");
  EXPECT_EQ(font.lfHeight, -30);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_TRUE(font.lfItalic);

  // Tab order: the read-me, the target field, Install, Cancel, Browse.
  HWND tab = form.ReadmeMemo->Handle();
  for (TControl* next :
       {static_cast<TControl*>(form.InstallToEdit), static_cast<TControl*>(form.InstallButton),
        static_cast<TControl*>(form.CancelButton), static_cast<TControl*>(form.BrowseButton),
        static_cast<TControl*>(form.ReadmeMemo)}) {
    tab = GetNextDlgTabItem(form.Handle(), tab, FALSE);
    EXPECT_EQ(tab, next->Handle()) << next->Caption();
  }
}

TEST(InstallForm, StartsAtTheProgramFilesFolderWithTheInstructions) {
  TApplication application;
  TInstallForm form;
  EXPECT_EQ(form.InstallToEdit->Caption(), GetProgramFilesPath());
  EXPECT_EQ(form.InstructionsLabel->Caption(),
            "The program can be reinstalled without the need to uninstall its previous version. "
            "The existing options file will be preserved. If you want to repair the installed "
            "package, simply reinstall the program. Before continuing, close any running "
            "instances of the program.");
  // There is no read-me next to the tests: the memo stays empty.
  EXPECT_EQ(form.ReadmeMemo->Text(), "");
  // Neither "Install.exe" nor "/Uninstall": only the name, title and version.
  form.Prepare("Quiltra", "Quiltra title", "Version 1");
  EXPECT_EQ(form.ProgramName, "Quiltra");
  EXPECT_EQ(form.DescriptionLabel->Caption(), "Quiltra title");
  EXPECT_EQ(form.VersionLabel->Caption(), "Version 1");
  EXPECT_TRUE(form.BrowseButton->Enabled());
  EXPECT_FALSE(IsInstallerRun());
}

// Where an installation goes, by what the user may write: everything as
// chosen where the local machine's entry can be written; otherwise the user's
// own programs folder in place of Program Files, or the chosen folder, with
// the user's own entry.
TEST(InstallForm, InstallsWhereTheUserMayWrite) {
  test::TTempFolder chosen;
  const std::string programFiles = GetProgramFilesPath();
  TInstallPlace place = ChooseInstallPlace(programFiles, "Quiltra", "Quiltra");
  EXPECT_EQ(place.Parent, programFiles);
  EXPECT_EQ(place.Root, TUninstallRoot::LocalMachine);

  test::TRefusedMachineRoot refused;
  place = ChooseInstallPlace(programFiles, "Quiltra", "Quiltra");
  EXPECT_EQ(place.Parent, GetUserProgramsPath());
  EXPECT_EQ(place.Root, TUninstallRoot::CurrentUser);
  place = ChooseInstallPlace(chosen.Path(), "Quiltra", "Quiltra");
  EXPECT_EQ(place.Parent, chosen.Path());
  EXPECT_EQ(place.Root, TUninstallRoot::CurrentUser);
  EXPECT_TRUE(RemoveDirectoryA(chosen.Path().c_str()));  // the trial left nothing
  EXPECT_EQ(ChooseInstallPlace(chosen / "missing\\", "Quiltra", "Quiltra").Parent, "");
}
