// The main window's own behaviour: its size and place, tips, caption, and the
// window-level commands.
#include "core/boardpaint.h"
#include "core/geometry.h"
#include "core/statusframe.h"
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

TWindowTemplate TQuiltraForm::WindowTemplate() const {
  TWindowTemplate layout = ScaleWindowTemplate(TWindowTemplate{}, Dpi());
  layout.NonClientWidth = Width() - ClientWidth();
  layout.NonClientHeight = Height() - ClientHeight();
  return layout;
}

void TQuiltraForm::ArrangeWindow() {
  // The work area of the monitor the window is on, which need not begin at
  // the screen's origin (a taskbar at the top or left, a second monitor);
  // both in pixels of the screen.
  const RECT work = WorkAreaOf(Handle());
  const TWindowArrangement arranged =
      ArrangeWindowOn(work.right - work.left, work.bottom - work.top, WindowTemplate());
  SetWindowPos(Handle(), nullptr, work.left + arranged.Window.Left, work.top + arranged.Window.Top,
               arranged.Window.Width, arranged.Window.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  ArrangeBoxes();
}

void TQuiltraForm::ArrangeBoxes() {
  // The client area the window really has: the system may give less than
  // was asked for.
  const TWindowArrangement arranged =
      ArrangeClientArea(ClientWidth(), ClientHeight(), WindowTemplate());
  auto place = [](TControl* control, const TRect& rect) {
    control->SetBounds(rect.Left, rect.Top, rect.Width, rect.Height);
  };
  place(OriginalPictureGroupBox, arranged.OriginalGroupBox);
  place(PuzzlePictureGroupBox, arranged.PuzzleGroupBox);
  if (PicturesShown()) {
    // A view is as large as its picture; only its place follows the box.
    OriginalPictureImage->SetBounds(arranged.OriginalImage.Left, arranged.OriginalImage.Top,
                                    OriginalPictureImage->Width(), OriginalPictureImage->Height());
    PuzzlePictureImage->SetBounds(arranged.PuzzleImage.Left, arranged.PuzzleImage.Top,
                                  PuzzlePictureImage->Width(), PuzzlePictureImage->Height());
  } else {
    place(OriginalPictureImage, arranged.OriginalImage);
    place(PuzzlePictureImage, arranged.PuzzleImage);
  }
  ComputePieceSize();
}

void TQuiltraForm::FormDpiChanged() {
  STATUS_FRAME("TQuiltraForm::FormDpiChanged");
  frame.Run([&] {
    // On its new monitor the window is sized and placed as at start: the
    // rectangle the system suggests may be larger than that monitor.
    ArrangeWindow();
    if (!PicturesShown()) return;
    // The picture is cut again from the new areas into the grid it has; the
    // board, the counters, the mark and the mirrored pieces stay as they are.
    const std::string caption = Caption();
    TGridSize grid{};
    const bool laidOut = LoadPicture(PictureTitle(), false, grid, Game().Columns(), Game().Rows());
    SetCaption(caption);
    if (frame.Adopt() || !laidOut) return;
    if (Game().Solved()) {
      ShowSolvedPicture();
      DrawOriginalGrid();
      return;
    }
    DrawAllPieces();
    DrawGrids(false);
    if (session_.MarkShown()) DrawCellFrames(session_.Marked(), true);
  });
  frame.ShowStep(__LINE__, "Failed to lay the picture out again.");
}

TSize TQuiltraForm::PuzzleArea() const {
  return TSize{PuzzlePictureGroupBox->ClientWidth() - 2 * Scale(5),
               PuzzlePictureGroupBox->ClientHeight() - PuzzlePictureImage->Top() - Scale(5)};
}

TSize TQuiltraForm::OriginalArea() const {
  return TSize{OriginalPictureGroupBox->ClientWidth() - 2 * Scale(5),
               OriginalPictureGroupBox->ClientHeight() - OriginalPictureImage->Top() - Scale(5)};
}

void TQuiltraForm::HideMeuClick() {
  Application->Minimize();
}

void TQuiltraForm::HelpMenuClick() {
  ShowHelp(100);
}

void TQuiltraForm::LightGridCheckBoxClick() {
  ShowChange(session_.RedrawGrids());
}

void TQuiltraForm::DownloadPicturesMenuClick() {
  OpenSite(SitePageAddress(kPicturesPage), "Failed to open site.");
}

void TQuiltraForm::AboutMenuClick() {
  if (about_) about_->Dialog();
}
