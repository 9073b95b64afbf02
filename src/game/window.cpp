// The main window's own behaviour: its size and place, tips, caption, and the
// window-level commands.
#include "core/geometry.h"
#include "forms/application.h"
#include "game/aboutform.h"
#include "game/help.h"
#include "game/identity.h"
#include "game/quiltraform.h"
#include "platform/shell.h"

void TQuiltraForm::SetTips(const std::string& text) {
  TipsLabel->SetCaption(text);
}

void TQuiltraForm::SetCaptionTitle(const std::string& title) {
  SetCaption(title.empty() ? std::string(kProgramName) : std::string(kProgramName) + " - " + title);
}

void TQuiltraForm::ArrangeWindow() {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  TWindowTemplate layout;
  layout.NonClientWidth = Width() - ClientWidth();
  layout.NonClientHeight = Height() - ClientHeight();
  layout.MainPanelWidth = MainPanel->Width();
  layout.OriginalGroupBox =
      TRect{OriginalPictureGroupBox->Left(), OriginalPictureGroupBox->Top(),
            OriginalPictureGroupBox->Width(), OriginalPictureGroupBox->Height()};
  layout.OriginalImage = TRect{OriginalPictureImage->Left(), OriginalPictureImage->Top(),
                               OriginalPictureImage->Width(), OriginalPictureImage->Height()};
  layout.PuzzleGroupBox = TRect{PuzzlePictureGroupBox->Left(), PuzzlePictureGroupBox->Top(),
                                PuzzlePictureGroupBox->Width(), PuzzlePictureGroupBox->Height()};
  layout.PuzzleImage = TRect{PuzzlePictureImage->Left(), PuzzlePictureImage->Top(),
                             PuzzlePictureImage->Width(), PuzzlePictureImage->Height()};
  const TWindowArrangement arranged =
      ArrangeWindowOn(work.right - work.left, work.bottom - work.top, layout);

  auto place = [](TControl* control, const TRect& rect) {
    control->SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
  };
  SetWindowPos(Handle(), nullptr, arranged.Window.Left, arranged.Window.Top, arranged.Window.Width,
               arranged.Window.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  place(OriginalPictureGroupBox, arranged.OriginalGroupBox);
  place(OriginalPictureImage, arranged.OriginalImage);
  place(PuzzlePictureGroupBox, arranged.PuzzleGroupBox);
  place(PuzzlePictureImage, arranged.PuzzleImage);
  ComputePieceSize();
}

void TQuiltraForm::HideMeuClick() {
  Application->Minimize();
}

void TQuiltraForm::HelpMenuClick() {
  ShowHelp(100);
}

void TQuiltraForm::LightGridCheckBoxClick() {
  if (PicturesShown()) DrawGrids(false);
}

void TQuiltraForm::DownloadPicturesMenuClick() {
  OpenSite(SitePageAddress(kPicturesPage), "Failed to open site.");
}

void TQuiltraForm::AboutMenuClick() {
  if (AboutForm) AboutForm->Dialog();
}
