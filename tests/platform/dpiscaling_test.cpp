// Every window at 96, 120, 144 and 192 DPI, laid out by the form layer's one
// rule: each designed place and font scaled by dpi / 96, nothing overlapping,
// every text fitting its control. And the main window moved to a monitor of
// another DPI: its game stays as it was, its picture is cut again.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "tests/support/testpicture.h"
#include "core/boardpaint.h"
#include "core/funstat.h"
#include "forms/application.h"
#include "forms/dpi.h"
#include "game/aboutform.h"
#include "game/errorform.h"
#include "game/installform.h"
#include "platform/error.h"
#include "tests/support/quiltraformprobe.h"

namespace {

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

struct TPlaced {
  TControl* Control;
  RECT At96;
};

void Collect(const TControl* parent, std::vector<TPlaced>& placed) {
  for (const auto& child : parent->Children()) {
    placed.push_back({child.get(), RectInParent(child->Handle())});
    Collect(child.get(), placed);
  }
}

// As the system tells a window that moved to a monitor of another DPI.
void MoveToDpi(TForm& form, int dpi, RECT window) {
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&window));
}

std::string Shown(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

// The room the control's text takes in its font: wrapped at its width.
SIZE TextRoom(const TControl* control, int width) {
  HDC dc = GetDC(control->Handle());
  HGDIOBJ old = SelectObject(dc, control->Font());
  RECT room{0, 0, width, 0};
  const std::string text = Shown(control->Caption());
  DrawTextA(dc, text.c_str(), -1, &room, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control->Handle(), dc);
  return SIZE{room.right, room.bottom};
}

int FontHeight(HFONT font) {
  LOGFONTA logFont{};
  GetObjectA(font, sizeof logFont, &logFont);
  return -logFont.lfHeight;
}

// Each control of the form at the DPI: its designed place scaled within a
// pixel (controls sized to their text: their place), no two visible
// neighbours overlapping, its text fitting it.
void ExpectScaled(TForm& form, const std::vector<TPlaced>& placed, int dpi) {
  auto within = [](LONG actual, LONG at96, int dpi) {
    return std::abs(actual - ScaleToDpi(at96, dpi)) <= 1;
  };
  for (const TPlaced& control : placed) {
    const std::string name = control.Control->Caption() + " (" + std::to_string(dpi) + " DPI)";
    HWND window = control.Control->Handle();
    const RECT place = RectInParent(window);
    const auto* label = dynamic_cast<const TLabel*>(control.Control);
    const auto* checkBox = dynamic_cast<const TCheckBox*>(control.Control);
    const bool sizesItself =
        (label && label->SizesToText()) || (checkBox && checkBox->SizesToText());
    const bool combo = dynamic_cast<const TComboBox*>(control.Control) != nullptr;
    EXPECT_TRUE(within(place.left, control.At96.left, dpi)) << name;
    EXPECT_TRUE(within(place.top, control.At96.top, dpi)) << name;
    if (!sizesItself) {
      EXPECT_TRUE(within(place.right, control.At96.right, dpi)) << name;
    }
    if (!sizesItself && !combo) {
      EXPECT_TRUE(within(place.bottom, control.At96.bottom, dpi)) << name;
    }
    if (!IsWindowVisible(window) || control.Control->Caption().empty()) continue;
    const int width = place.right - place.left, height = place.bottom - place.top;
    const int mark = checkBox ? ScaleToDpi(16, dpi) : 0;
    if (label || checkBox || dynamic_cast<const TButton*>(control.Control)) {
      const SIZE room = TextRoom(control.Control, width - mark);
      EXPECT_LE(room.cx, width - mark) << name;
      EXPECT_LE(room.cy, height) << name;
    }
  }
  for (const TPlaced& a : placed)
    for (const TPlaced& b : placed) {
      if (a.Control >= b.Control || a.Control->Parent() != b.Control->Parent()) continue;
      if (!IsWindowVisible(a.Control->Handle()) || !IsWindowVisible(b.Control->Handle())) continue;
      RECT first = RectInParent(a.Control->Handle()), second = RectInParent(b.Control->Handle());
      RECT overlap{};
      EXPECT_FALSE(IntersectRect(&overlap, &first, &second))
          << a.Control->Caption() << " and " << b.Control->Caption() << " at " << dpi << " DPI";
    }
  EXPECT_EQ(FontHeight(form.Font()), ScaleToDpi(12, dpi));
}

class DpiScalingTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallErrorReporting();
    TFunStatContext::ShowHandler = [this](const TFunStatContext& context, const std::string&,
                                          bool*) {
      shown_.push_back(context.Description);
      return true;
    };
  }
  void TearDown() override { TFunStatContext::ShowHandler = nullptr; }
  std::vector<std::string> shown_;
};

const int kDpis[] = {96, 120, 144, 192};

// The main window with the parts these tests look at opened.
class TMainWindow : public test::TQuiltraFormProbe {
 public:
  using TQuiltraForm::MainPanel;
  using TQuiltraForm::MarkCell;
  using TQuiltraForm::OriginalPictureGroupBox;
  using TQuiltraForm::SetCaptionTitle;
};

}  // namespace

TEST_F(DpiScalingTest, TheDialogsScaleTheirDesignedLayout) {
  for (int dpi : kDpis) {
    TApplication application;
    TForm main(TFormStyle{"TDpiTestMain", 600, 400}, "Main");
    TErrorForm errorForm;
    TAboutForm aboutForm;
    for (TForm* form : {static_cast<TForm*>(&errorForm), static_cast<TForm*>(&aboutForm)}) {
      std::vector<TPlaced> placed;
      Collect(form, placed);
      const int clientWidth = form->ClientWidth(), clientHeight = form->ClientHeight();
      RECT window{};
      GetWindowRect(form->Handle(), &window);
      MoveToDpi(*form, dpi, window);
      EXPECT_EQ(form->ClientWidth(), ScaleToDpi(clientWidth, dpi)) << form->Caption();
      EXPECT_EQ(form->ClientHeight(), ScaleToDpi(clientHeight, dpi)) << form->Caption();
      ExpectScaled(*form, placed, dpi);
    }
    EXPECT_EQ(FontHeight(aboutForm.ProgramNameLabel->Font()), ScaleToDpi(48, dpi));
  }
}

TEST_F(DpiScalingTest, TheInstallerScalesItsDesignedLayout) {
  for (int dpi : kDpis) {
    TApplication application;
    TInstallForm form;
    form.Prepare("Quiltra", "Quiltra", "Version 2.5.2, released on 06.01.2006");
    std::vector<TPlaced> placed;
    Collect(&form, placed);
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    MoveToDpi(form, dpi, window);
    EXPECT_EQ(form.ClientWidth(), ScaleToDpi(400, dpi));
    EXPECT_EQ(form.ClientHeight(), ScaleToDpi(450, dpi));
    ExpectScaled(form, placed, dpi);
    EXPECT_EQ(FontHeight(form.MainPanel->Font()), ScaleToDpi(30, dpi));
  }
}

TEST_F(DpiScalingTest, TheMainWindowScalesItsPanelAndFitsItsBoxesInTheClientArea) {
  for (int dpi : kDpis) {
    TApplication application;
    TMainWindow form;
    form.ArrangeWindow();
    std::vector<TPlaced> placed{{form.MainPanel, RectInParent(form.MainPanel->Handle())}};
    Collect(form.MainPanel, placed);
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    MoveToDpi(form, dpi, window);
    ExpectScaled(form, placed, dpi);
    // The boxes are laid out again in the client area the window has.
    const RECT client{0, 0, form.ClientWidth(), form.ClientHeight()};
    for (TControl* box : {static_cast<TControl*>(form.OriginalPictureGroupBox),
                          static_cast<TControl*>(form.PuzzlePictureGroupBox)}) {
      RECT place = RectInParent(box->Handle()), inside{};
      IntersectRect(&inside, &place, &client);
      EXPECT_TRUE(EqualRect(&inside, &place)) << box->Caption() << " at " << dpi << " DPI";
      EXPECT_EQ(place.bottom, client.bottom - ScaleToDpi(5, dpi));
    }
  }
  EXPECT_TRUE(shown_.empty());
}

TEST_F(DpiScalingTest, OnAnotherMonitorTheGameStaysAndItsPictureIsCutAgain) {
  TApplication application;
  TMainWindow form;
  form.ArrangeWindow();
  form.ComputePieceSize();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string picture =
      std::string(temp) + "quiltra-dpi-" + std::to_string(GetCurrentProcessId()) + ".bmp";
  ASSERT_TRUE(
      testpicture::WriteGridPicture(picture, 7, 7, form.Piece().Width, form.Piece().Height));
  form.LoadGameFromPicture(picture);
  // A played game: scattered, one piece mirrored, one cell marked.
  form.RandomizeMenuClick();
  TCellPos cell{0, 0};
  while (form.Game().IsHome(cell)) ++cell.Column;
  if (form.Game().PieceIn(cell).FH) form.Flip(cell, TFlip::Horizontally);
  if (form.Game().PieceIn(cell).FV) form.Flip(cell, TFlip::Vertically);
  form.Flip(cell, TFlip::Horizontally);
  form.MarkCell(cell);
  form.SetCounters(3, 1);
  form.ShowMovesCount();
  form.SetCaptionTitle("C:\\Games\\a.qtg");
  const TBoard before = form.Board();
  const TPieceSize pieceBefore = form.Piece();

  RECT window{};
  GetWindowRect(form.Handle(), &window);
  MoveToDpi(form, 144, window);
  EXPECT_TRUE(shown_.empty());

  const TBoard& after = form.Board();
  EXPECT_EQ(after.ResultedColumns, before.ResultedColumns);
  EXPECT_EQ(after.ResultedRows, before.ResultedRows);
  EXPECT_EQ(after.MovesCount, 3);
  EXPECT_EQ(after.WrongMoves, 1);
  EXPECT_EQ(after.GameModified, before.GameModified);
  for (int c = 0; c < 7; ++c)
    for (int r = 0; r < 7; ++r) {
      EXPECT_EQ(after.Map[c][r].C, before.Map[c][r].C);
      EXPECT_EQ(after.Map[c][r].R, before.Map[c][r].R);
      EXPECT_EQ(after.Map[c][r].FH, before.Map[c][r].FH);
      EXPECT_EQ(after.Map[c][r].FV, before.Map[c][r].FV);
    }
  EXPECT_EQ(form.Marked(), cell);
  EXPECT_EQ(form.Caption(), "Quiltra - C:\\Games\\a.qtg");
  EXPECT_EQ(form.MovesCountLabel->Caption(), "You have made 3 moves.");
  // The same window holds less room for the picture beside the larger
  // panel: pieces are cut to the new area, the view is the grid.
  const TPieceSize piece = form.Piece();
  const TPixelView view = form.PuzzlePictureImage->Canvas();
  EXPECT_EQ(view.Width, after.ResultedColumns * piece.Width);
  EXPECT_EQ(view.Height, after.ResultedRows * piece.Height);
  EXPECT_LT(piece.Width, pieceBefore.Width);
  // The mirrored piece shows its mark on the right, the marked cell's frame
  // is red and two pixels wide.
  const int w = piece.Width, h = piece.Height;
  const int x = cell.Column * w, y = cell.Row * h;
  EXPECT_EQ(view.At(x + w - 1 - w / 4, y + h / 4) & 0xFFFFFF, 0x101010u);
  EXPECT_NE(view.At(x + w / 4, y + h / 4) & 0xFFFFFF, 0x101010u);
  const uint32_t red = PixelFromColorRef(kMarkedFrameColor);
  EXPECT_EQ(view.At(x, y + h / 2) & 0xFFFFFF, red);
  EXPECT_EQ(view.At(x + 1, y + h / 2) & 0xFFFFFF, red);
  EXPECT_NE(view.At(x + 2, y + h / 2) & 0xFFFFFF, red);
  DeleteFileA(picture.c_str());
}
