// The About dialog in process: its layout, and a site that fails to open,
// which is shown once while the dialog stays open and usable.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "core/funstat.h"
#include "forms/application.h"
#include "game/aboutform.h"
#include "game/errorform.h"
#include "platform/error.h"
#include "testsupport.h"

namespace {

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LOGFONTA FontOf(const TControl* control) {
  LOGFONTA font{};
  GetObjectA(control->Font(), sizeof font, &font);
  return font;
}

// Steps run from the dialogs' own message loops, every 50 ms.
std::function<void()> Tick;
void CALLBACK RunTick(HWND, UINT, UINT_PTR, DWORD) {
  if (Tick) Tick();
}

class AboutFormTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallErrorReporting();
    application_ = std::make_unique<TApplication>();
    mainForm_ = std::make_unique<TForm>(TFormStyle{"TAboutTestMain", 600, 400}, "Main");
    mainForm_->Show();
    errorForm_ = std::make_unique<TErrorForm>(mainForm_.get());
    ShowFailuresIn(*errorForm_);
    aboutForm_ = std::make_unique<TAboutForm>(mainForm_.get());
  }
  void TearDown() override {
    Tick = nullptr;
    aboutForm_.reset();
    errorForm_.reset();
    mainForm_.reset();
    application_.reset();
  }

  std::unique_ptr<TApplication> application_;
  std::unique_ptr<TForm> mainForm_;
  std::unique_ptr<TErrorForm> errorForm_;
  std::unique_ptr<TAboutForm> aboutForm_;
};

}  // namespace

TEST_F(AboutFormTest, LaidOutAsItsResource) {
  TAboutForm& form = *aboutForm_;
  EXPECT_EQ(form.Caption(), "About");
  EXPECT_EQ(form.ClientWidth(), 440);
  EXPECT_EQ(form.ClientHeight(), 280);
  const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), mainForm_->Handle());

  struct Expected {
    TControl* Control;
    TControl* Parent;
    RECT Place;
  };
  const Expected expected[] = {
      {form.AboutPanel, &form, {5, 5, 435, 235}},
      {form.ProgramVersionLabel, form.AboutPanel, {10, 75, 420, 90}},
      {form.AuthorLabel, form.AboutPanel, {10, 95, 420, 110}},
      {form.ProgramsLabel, form.AboutPanel, {10, 120, 420, 180}},
      {form.ProgramNameLabel, form.AboutPanel, {10, 5, 420, 70}},
      {form.VisitMySiteButton, form.AboutPanel, {60, 190, 160, 215}},
      {form.ContactMeButton, form.AboutPanel, {270, 190, 370, 215}},
      {form.LicenseTermsButton, form.AboutPanel, {165, 190, 265, 215}},
      {form.OkayButton, &form, {185, 245, 260, 270}},
  };
  for (const Expected& control : expected) {
    const std::string name = control.Control->Caption();
    EXPECT_EQ(control.Control->Parent(), control.Parent) << name;
    const RECT place = RectInParent(control.Control->Handle());
    EXPECT_EQ(place.left, control.Place.left) << name;
    EXPECT_EQ(place.top, control.Place.top) << name;
    EXPECT_EQ(place.right, control.Place.right) << name;
    EXPECT_EQ(place.bottom, control.Place.bottom) << name;
  }
  EXPECT_EQ(form.ProgramNameLabel->Caption(), "Name");
  EXPECT_EQ(form.AuthorLabel->Caption(), "Written by the Quiltra developers");
  EXPECT_EQ(
      form.ProgramsLabel->Caption().rfind("Visit my site to see all my ideas and programs", 0), 0u);
  EXPECT_EQ(form.VisitMySiteButton->Caption(), "Visit my site");
  EXPECT_EQ(form.LicenseTermsButton->Caption(), "License terms");
  EXPECT_EQ(form.ContactMeButton->Caption(), "Contact me");
  EXPECT_EQ(form.OkayButton->Caption(), "&Okay");
  EXPECT_EQ(form.CancelButton, form.OkayButton);

  const LOGFONTA font = FontOf(&form);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
  const LOGFONTA nameFont = FontOf(form.ProgramNameLabel);
  EXPECT_STREQ(nameFont.lfFaceName, "Comic Sans MS");
  EXPECT_EQ(nameFont.lfHeight, -48);
  EXPECT_EQ(nameFont.lfWeight, FW_BOLD);
  EXPECT_TRUE(nameFont.lfItalic);

  // Tab order: the site buttons left, middle, right, then "Okay".
  EXPECT_EQ(GetWindow(form.AboutPanel->Handle(), GW_CHILD), form.VisitMySiteButton->Handle());
  HWND tab = form.VisitMySiteButton->Handle();
  for (TControl* next :
       {static_cast<TControl*>(form.LicenseTermsButton),
        static_cast<TControl*>(form.ContactMeButton), static_cast<TControl*>(form.OkayButton)}) {
    tab = GetNextDlgTabItem(form.Handle(), tab, FALSE);
    EXPECT_EQ(tab, next->Handle()) << next->Caption();
  }
}

TEST_F(AboutFormTest, AFailingSiteIsShownOnceAndTheDialogStaysUsable) {
  test::TTempFolder folder;
  // No page lies there: the shell fails to open it.
  aboutForm_->SiteAddress = folder / "no such site";
  aboutForm_->ProgramNameLabel->SetCaption("Quiltra");

  int shown = 0;
  std::string memo;
  bool okayFocused = false, aboutVisible = false, aboutEnabledAfter = false;
  bool clicked = false;
  Tick = [&] {
    if (errorForm_->Visible() && errorForm_->ModalResult == mrNone) {
      // Inside the error dialog's loop: read it and close it.
      ++shown;
      memo = errorForm_->MainMemo->Text();
      aboutVisible = aboutForm_->Visible();
      errorForm_->OkayButton->Click();
      return;
    }
    if (!aboutForm_->Visible() || aboutForm_->ModalResult != mrNone) return;
    if (!clicked) {
      clicked = true;
      okayFocused = aboutForm_->OkayButton->Focused();
      // Runs the error dialog's loop, where the next ticks close it.
      aboutForm_->LicenseTermsButton->Click();
      aboutEnabledAfter = aboutForm_->Visible() && IsWindowEnabled(aboutForm_->Handle());
      aboutForm_->OkayButton->Click();
    }
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, RunTick);
  aboutForm_->Dialog();
  KillTimer(nullptr, timer);

  EXPECT_TRUE(okayFocused);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(aboutVisible);
  EXPECT_TRUE(aboutEnabledAfter);
  EXPECT_EQ(memo.rfind("DESCRIPTION\r\nFailed to open site.\r\n", 0), 0u) << memo;
  EXPECT_NE(memo.find("* Description: \"Failed to run file.\"\r\n* Parameter 1: \"" +
                      folder / "no such site/ideas/misc/license.htm\"\r\n"),
            std::string::npos)
      << memo;
  EXPECT_NE(memo.find("* System error code: "), std::string::npos);
  EXPECT_EQ(aboutForm_->ModalResult, mrOk);
  EXPECT_FALSE(aboutForm_->Visible());
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
}
