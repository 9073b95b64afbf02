// The About dialog in process: its layout, and a site that fails to open,
// which is shown once while the dialog stays open and usable.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "core/funstat.h"
#include "game/aboutform.h"
#include "testsupport.h"

namespace {

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

class AboutFormTest : public test::TDialogTest {
 protected:
  void SetUp() override {
    TDialogTest::SetUp();
    aboutForm_ = std::make_unique<TAboutForm>(mainForm_.get());
  }
  void TearDown() override {
    Tick = nullptr;
    aboutForm_.reset();
    TDialogTest::TearDown();
  }

  std::unique_ptr<TAboutForm> aboutForm_;
};

}  // namespace

TEST_F(AboutFormTest, LaidOutAsItsResource) {
  TAboutForm& form = *aboutForm_;
  EXPECT_EQ(form.Caption(), "About");
  EXPECT_EQ(form.ClientWidth(), 440);
  EXPECT_EQ(form.ClientHeight(), 280);
  EXPECT_EQ(test::FixedDialogFaults(form, mainForm_->Handle()), "");

  // The texts on a panel above "Okay", in one column; the site buttons in a
  // centred row below them; tab from left to right, then to "Okay".
  for (const TControl* control : std::initializer_list<const TControl*>{
           form.ProgramNameLabel, form.ProgramVersionLabel, form.AuthorLabel, form.ProgramsLabel,
           form.VisitMySiteButton, form.LicenseTermsButton, form.ContactMeButton})
    EXPECT_EQ(control->Parent(), form.AboutPanel) << control->Caption();
  EXPECT_EQ(form.AboutPanel->Parent(), &form);
  EXPECT_EQ(form.OkayButton->Parent(), &form);
  EXPECT_EQ(test::FormLayoutFaults(form, {.Gap = 5, .Grid = 5, .TabOrderReads = true}), "");
  EXPECT_EQ(test::ColumnFaults(test::Handles({form.ProgramNameLabel, form.ProgramVersionLabel,
                                              form.AuthorLabel, form.ProgramsLabel}),
                               true),
            "");
  EXPECT_EQ(test::RowFaults(test::Handles({form.VisitMySiteButton, form.LicenseTermsButton,
                                           form.ContactMeButton}),
                            true),
            "");
  const RECT panel = test::PlaceInParent(form.AboutPanel->Handle());
  const RECT okay = test::PlaceInParent(form.OkayButton->Handle());
  EXPECT_GE(okay.top, panel.bottom);
  EXPECT_EQ(okay.left, 185);  // off the centre, where the dialog always had it
  EXPECT_EQ(GetWindow(form.AboutPanel->Handle(), GW_CHILD), form.VisitMySiteButton->Handle());

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
