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

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

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

  struct Expected {
    TControl* Control;
    const char* Name;
    RECT Place;
  };
  const Expected expected[] = {
      {form.MainPanel, "MainPanel", {5, 5, 395, 65}},
      {form.DescriptionLabel, "DescriptionLabel", {5, 75, 395, 90}},
      {form.VersionLabel, "VersionLabel", {5, 100, 395, 115}},
      {form.InstructionsLabel, "InstructionsLabel", {10, 125, 390, 190}},
      {form.ReadmeMemo, "ReadmeMemo", {5, 200, 395, 345}},
      {form.InstallToEdit, "InstallToEdit", {20, 380, 310, 403}},
      {form.InstallButton, "InstallButton", {120, 415, 195, 440}},
      {form.CancelButton, "CancelButton", {205, 415, 280, 440}},
      {form.BrowseButton, "BrowseButton", {320, 380, 395, 403}},
  };
  for (const Expected& control : expected) {
    const RECT place = RectInParent(control.Control->Handle());
    EXPECT_EQ(place.left, control.Place.left) << control.Name;
    EXPECT_EQ(place.top, control.Place.top) << control.Name;
    EXPECT_EQ(place.right, control.Place.right) << control.Name;
    EXPECT_EQ(place.bottom, control.Place.bottom) << control.Name;
  }
  EXPECT_EQ(RectInParent(form.InstallToLabel->Handle()).left, 5);
  EXPECT_EQ(RectInParent(form.InstallToLabel->Handle()).top, 360);
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
