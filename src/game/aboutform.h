// The About dialog: the program's name and version, the author line, the
// maker's other programs and three pages of the maker's site.
#pragma once

#include <string>

#include "forms/controls.h"
#include "forms/form.h"

class TAboutForm : public TForm {
 public:
  // Created once at start-up, after the main window, its owner.
  explicit TAboutForm(TForm* owner);

  // Shows the dialog modally; a failure to show it is reported here.
  void Dialog();

  // --- components ---
  TPanel* AboutPanel;
  TLabel* ProgramVersionLabel;
  TLabel* AuthorLabel;
  TLabel* ProgramsLabel;
  TLabel* ProgramNameLabel;
  TButton* VisitMySiteButton;
  TButton* ContactMeButton;
  TButton* LicenseTermsButton;
  TButton* OkayButton;  // also the form's CancelButton, for Esc

  // The maker's site, which every page address begins with.
  std::string SiteAddress;

  void FormActivate();
  void VisitMySiteButtonClick();
  void LicenseTermsButtonClick();
  void ContactMeButtonClick();

 private:
  void CreateComponents();
  void OpenPage(const char* path);
};
