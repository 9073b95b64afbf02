// The form layer's one scaling rule on every window at 96, 120, 144 and 192
// DPI, and the main window keeping its game on a monitor of another DPI.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "tests/support/testpicture.h"
#include "core/boardpaint.h"
#include "forms/application.h"
#include "forms/dpi.h"
#include "game/aboutform.h"
#include "game/errorform.h"
#include "game/installform.h"
#include "platform/error.h"
#include "tests/support/quiltraformprobe.h"
#include "testsupport.h"

namespace {

class TMainWindow : public test::TQuiltraFormProbe {
 public:
  using TQuiltraForm::MainPanel;
};

RECT Place(const TControl* control) {
  return test::PlaceInParent(control->Handle());
}

// As the system tells a window that went to a monitor of that DPI.
void MoveToDpi(TForm& form, int dpi) {
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&window));
}

// Every control from `from` down, laid out at 96 DPI, then at the DPI: its
// place scaled within a pixel (one sized to its text: its corner), and the
// layout rules kept (inside its parent, no overlap, captions that fit).
void ExpectScaled(TForm& form, TControl* from, int dpi) {
  std::vector<std::pair<TControl*, RECT>> at96;
  std::function<void(TControl*)> collect = [&](TControl* control) {
    if (control != &form) at96.push_back({control, Place(control)});
    for (const auto& child : control->Children()) collect(child.get());
  };
  collect(from);
  MoveToDpi(form, dpi);
  for (const auto& [control, before] : at96) {
    const RECT now = Place(control);
    const std::string name = control->Caption() + " at " + std::to_string(dpi) + " DPI";
    const auto* label = dynamic_cast<const TLabel*>(control);
    const auto* check = dynamic_cast<const TCheckBox*>(control);
    const bool sized = (label && label->SizesToText()) || (check && check->SizesToText());
    EXPECT_NEAR(now.left, ScaleToDpi(before.left, dpi), 1) << name;
    EXPECT_NEAR(now.top, ScaleToDpi(before.top, dpi), 1) << name;
    EXPECT_TRUE(sized || std::abs(now.right - ScaleToDpi(before.right, dpi)) <= 1) << name;
    // A drop-down list is as high as its font makes it.
    EXPECT_TRUE(sized || dynamic_cast<const TComboBox*>(control) ||
                std::abs(now.bottom - ScaleToDpi(before.bottom, dpi)) <= 1)
        << name;
  }
  EXPECT_EQ(test::FormLayoutFaults(*from, {.CheckMark = ScaleToDpi(16, dpi)}), "")
      << "at " << dpi << " DPI";
}

int FontHeight(const TControl* control) {
  LOGFONTA font{};
  GetObjectA(control->Font(), sizeof font, &font);
  return -font.lfHeight;
}

}  // namespace

TEST(DpiScaling, EveryWindowLaysItsDesignedLayoutOutAtTheDpi) {
  InstallErrorReporting();
  for (int dpi : {96, 120, 144, 192}) {
    {
      TApplication application;
      TMainWindow main;
      main.ArrangeWindow();
      TErrorForm error(&main);
      TAboutForm about(&main);
      ExpectScaled(main, main.MainPanel, dpi);
      // The boxes are laid out again in the client area the window has.
      EXPECT_EQ(Place(main.PuzzlePictureGroupBox).bottom, main.ClientHeight() - ScaleToDpi(5, dpi));
      EXPECT_EQ(Place(main.PuzzlePictureGroupBox).right, main.ClientWidth() - ScaleToDpi(5, dpi));
      EXPECT_EQ(FontHeight(&main), ScaleToDpi(12, dpi));
      for (TForm* dialog : {static_cast<TForm*>(&error), static_cast<TForm*>(&about)}) {
        const int width = dialog->ClientWidth(), height = dialog->ClientHeight();
        ExpectScaled(*dialog, dialog, dpi);
        EXPECT_EQ(dialog->ClientWidth(), ScaleToDpi(width, dpi));
        EXPECT_EQ(dialog->ClientHeight(), ScaleToDpi(height, dpi));
      }
      EXPECT_EQ(FontHeight(about.ProgramNameLabel), ScaleToDpi(48, dpi));
    }
    TApplication application;
    TInstallForm installer;
    installer.Prepare("Quiltra", "Quiltra", "Version 2.5.2, released on 06.01.2006");
    ExpectScaled(installer, &installer, dpi);
    EXPECT_EQ(installer.ClientHeight(), ScaleToDpi(450, dpi));
    EXPECT_EQ(FontHeight(installer.MainPanel), ScaleToDpi(30, dpi));
  }
}

TEST(DpiScaling, OnAnotherMonitorTheGameStaysAndItsPictureIsCutAgain) {
  InstallErrorReporting();
  TApplication application;
  TMainWindow form;
  form.ArrangeWindow();
  form.ComputePieceSize();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string picture = std::string(temp) + "quiltra-dpi.bmp";
  ASSERT_TRUE(
      testpicture::WriteGridPicture(picture, 7, 7, form.Piece().Width, form.Piece().Height));
  form.LoadGameFromPicture(picture);
  // Scattered, one misplaced piece mirrored and marked, three moves made.
  form.RandomizeMenuClick();
  TCellPos cell{0, 0};
  while (form.Game().IsHome(cell)) ++cell.Column;
  while (form.Game().PieceIn(cell).FH || !form.Game().PieceIn(cell).FV)
    form.Flip(cell, form.Game().PieceIn(cell).FH ? TFlip::Horizontally : TFlip::Vertically);
  form.SetCounters(3, 1);
  form.Mark(cell);
  const TBoard before = form.Board();
  const int widthBefore = form.Piece().Width;

  MoveToDpi(form, 144);
  EXPECT_EQ(memcmp(&form.Board().Map, &before.Map, sizeof before.Map), 0);
  EXPECT_EQ(form.Board().MovesCount, 3);
  EXPECT_EQ(form.Board().WrongMoves, 1);
  EXPECT_EQ(form.Marked(), cell);
  // Less room beside the larger panel: smaller pieces, the view their grid;
  // the mark's frame red and two pixels wide, the piece mirrored upside down.
  const TPieceSize piece = form.Piece();
  const TPixelView view = form.PuzzlePictureImage->Canvas();
  EXPECT_LT(piece.Width, widthBefore);
  EXPECT_EQ(view.Width, form.Board().ResultedColumns * piece.Width);
  const int x = cell.Column * piece.Width, y = cell.Row * piece.Height;
  const uint32_t red = PixelFromColorRef(kMarkedFrameColor);
  EXPECT_EQ(view.At(x + 1, y + piece.Height / 2) & 0xFFFFFF, red);
  EXPECT_NE(view.At(x + 2, y + piece.Height / 2) & 0xFFFFFF, red);
  EXPECT_EQ(view.At(x + piece.Width / 4, y + piece.Height - 1 - piece.Height / 4) & 0xFFFFFF,
            0x101010u);
  DeleteFileA(picture.c_str());
}

// A taskbar at the top and at the left: the window lies in the work area,
// and keeps to it when told of a new DPI with a rectangle larger than the
// monitor.
TEST(DpiScaling, TheWindowKeepsToAWorkAreaThatDoesNotBeginAtTheOrigin) {
  RECT screen{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0));
  struct TRestore {
    RECT Area;
    ~TRestore() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &Area, 0); }
  } restore{screen};
  RECT work{screen.left + 120, screen.top + 80, screen.right, screen.bottom};
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
  InstallErrorReporting();
  TApplication application;
  TMainWindow form;
  auto expectWithin = [&](const char* when) {
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    const int frames = form.Width() - form.ClientWidth();  // may lie just off the area
    EXPECT_GE(window.left + frames, work.left) << when;
    EXPECT_GE(window.top, work.top) << when;
    EXPECT_LE(window.right - frames, work.right) << when;
    EXPECT_LE(window.bottom - frames, work.bottom) << when;
    EXPECT_EQ(Place(form.PuzzlePictureGroupBox).right, form.ClientWidth() - form.Scale(5)) << when;
  };
  form.ArrangeWindow();
  expectWithin("at start");
  RECT suggested{0, 0, 4000, 3000};
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  expectWithin("after the DPI change");
}
