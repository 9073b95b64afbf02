#include "aboutform.h"

#include "core/statusframe.h"
#include "forms/application.h"
#include "platform/shell.h"

namespace {

const char* const kAuthorLine = "Written by the Quiltra developers";

const char* const kProgramsText =
    "Visit my site to see all my ideas and programs: Stitchtally (counts the words and lines of "
    "text files), Spoolwatch (an alarm clock for the desktop), Hemcalc (a small calculator), "
    "Bobbinsort (sorts files into folders by their dates).";

}  // namespace

TAboutForm::TAboutForm(TForm* owner)
    : TForm(TFormStyle{"TAboutForm", 440, 280}, "About", owner), SiteAddress(kSiteAddress) {
  CreateComponents();
  ProgramsLabel->SetCaption(kProgramsText);
}

void TAboutForm::CreateComponents() {
  SetFont(Application->GetFont("Arial", 12));
  ShowHint = true;
  const TAlignment centre = TAlignment::Center;

  // clang-format off
  //                                           left  top  width height
  AboutPanel = Add<TPanel>(                       5,   5,  430,  230);
  ProgramVersionLabel = AboutPanel->Add<TLabel>( 10,  75, "", 410,  15, centre, true);
  AuthorLabel = AboutPanel->Add<TLabel>(         10,  95, kAuthorLine, 410, 15, centre, true);
  ProgramsLabel = AboutPanel->Add<TLabel>(       10, 120, "", 410,  60, TAlignment::Left, true);
  ProgramNameLabel = AboutPanel->Add<TLabel>(    10,   5, "Name", 410, 65, centre, true);
  VisitMySiteButton = AboutPanel->Add<TButton>(  60, 190,  100,   25, "Visit my site");
  ContactMeButton = AboutPanel->Add<TButton>(   270, 190,  100,   25, "Contact me");
  LicenseTermsButton = AboutPanel->Add<TButton>(165, 190,  100,   25, "License terms");
  OkayButton = Add<TButton>(                    185, 245,   75,   25, "&Okay", mrOk);
  // clang-format on
  ProgramNameLabel->SetFont(
      Application->GetFont("Comic Sans MS", 48, {.Bold = true, .Italic = true}));
  AboutPanel->SetTabOrder({VisitMySiteButton, LicenseTermsButton, ContactMeButton});
  SetTabOrder({AboutPanel, OkayButton});

  TForm::CancelButton = OkayButton;  // Esc
  DefaultButton = OkayButton;
  OnActivate = [this] { FormActivate(); };
  VisitMySiteButton->OnClick = [this] { VisitMySiteButtonClick(); };
  LicenseTermsButton->OnClick = [this] { LicenseTermsButtonClick(); };
  ContactMeButton->OnClick = [this] { ContactMeButtonClick(); };
}

void TAboutForm::Dialog() {
  STATUS_FRAME("TAboutForm::Dialog");
  frame.Run([&] {
    CenterOn(Application ? Application->MainForm : nullptr);
    ShowModal();
  });
  frame.ShowStep(__LINE__, "Failed to show the \"About\" dialog.");
}

void TAboutForm::FormActivate() {
  OkayButton->SetFocus();
}

void TAboutForm::OpenPage(const char* path) {
  // OpenSite shows its own failure; the dialog stays open either way.
  OpenSite(SiteAddress + path, "Failed to open site.");
}

void TAboutForm::VisitMySiteButtonClick() {
  OpenPage(kHomePage);
}
void TAboutForm::LicenseTermsButtonClick() {
  OpenPage(kLicensePage);
}
void TAboutForm::ContactMeButtonClick() {
  OpenPage(kContactPage);
}
