// Playing on the real main window in process, with synthetic pointer events:
// the board's rules as the handlers apply them, and what the views show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/testpicture.h"
#include "core/boardpaint.h"
#include "core/funstat.h"
#include "testsupport.h"

namespace {

// Colours within a small distance: pixels at the borders of the pieces are
// resampled from both sides.
bool Near(uint32_t a, uint32_t b, int tolerance = 12) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int difference = int(a >> shift & 0xFF) - int(b >> shift & 0xFF);
    if (difference < -tolerance || difference > tolerance) return false;
  }
  return true;
}

class PlayTest : public test::TGameWindowTest {
 protected:
  // The centre and a corner of a cell of the puzzle view.
  int X(int column) const { return column * form_->Piece().Width + form_->Piece().Width / 2; }
  int Y(int row) const { return row * form_->Piece().Height + form_->Piece().Height / 2; }
  uint32_t PuzzlePixel(int x, int y) const {
    return form_->PuzzlePictureImage->Canvas().At(x, y) & 0xFFFFFF;
  }
  uint32_t OriginalPixel(int x, int y) const {
    return form_->OriginalPictureImage->Canvas().At(x, y) & 0xFFFFFF;
  }
  int OriginalCellWidth() const {
    return form_->OriginalPictureImage->Canvas().Width / form_->Board().ResultedColumns;
  }
  int OriginalCellHeight() const {
    return form_->OriginalPictureImage->Canvas().Height / form_->Board().ResultedRows;
  }
  // Whether the dark mark of the piece shown in a cell is where an unmirrored
  // piece has it, in the top-left quarter.
  bool MarkAt(int column, int row, bool right, bool bottom) const {
    const int w = form_->Piece().Width, h = form_->Piece().Height;
    const int x = column * w + (right ? w - 1 - w / 4 : w / 4);
    const int y = row * h + (bottom ? h - 1 - h / 4 : h / 4);
    return PuzzlePixel(x, y) == 0x101010u;
  }
  void Press(TMouseButton button, uint8_t flags, int column, int row) {
    form_->PuzzlePictureImageMouseDown(button, TShiftState(flags), X(column), Y(row));
    if (Application->DragSource()) Application->EndDrag();
  }
  bool Accepts(int column, int row) {
    bool accept = false;
    form_->PuzzlePictureImageDragOver(form_->PuzzlePictureImage, X(column), Y(row), accept);
    return accept;
  }
  // A drag from one cell of the puzzle view dropped on another.
  void Drag(int fromColumn, int fromRow, int toColumn, int toRow) {
    form_->PuzzlePictureImageMouseDown(TMouseButton::Left, TShiftState(ssLeft), X(fromColumn),
                                       Y(fromRow));
    if (Accepts(toColumn, toRow))
      form_->PuzzlePictureImageDragDrop(form_->PuzzlePictureImage, X(toColumn), Y(toRow));
    if (Application->DragSource()) Application->EndDrag();
  }
  void Misplace() {
    // (0,0) and (1,0) exchanged, and a three-cycle on row 2.
    form_->Swap({0, 0}, {1, 0});
    form_->Swap({0, 2}, {1, 2});
    form_->Swap({1, 2}, {2, 2});
    form_->DrawGrids(false);
    form_->SetModified(false);
  }
};

TEST_F(PlayTest, APictureLoadsAsASolvedBoardWithAFramedOriginal) {
  EXPECT_EQ(form_->Board().ResultedColumns, 7);
  EXPECT_EQ(form_->Board().ResultedRows, 7);
  EXPECT_EQ(form_->Board().CountRemainingPieces(), 0);
  EXPECT_EQ(form_->TipsLabel->Caption(), "Press [Alt + R] to randomize the picture.");
  EXPECT_EQ(form_->MovesCountLabel->Caption(), "");
  EXPECT_EQ(form_->Caption(), "Quiltra");
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column) {
      EXPECT_EQ(PuzzlePixel(X(column), Y(row)), testpicture::CellColour(column, row));
      // The puzzle view is unframed; the original is framed yellow.
      EXPECT_TRUE(Near(PuzzlePixel(column * form_->Piece().Width, Y(row)),
                       testpicture::CellColour(column, row)));
      EXPECT_EQ(OriginalPixel(column * OriginalCellWidth(), row * OriginalCellHeight() + 3),
                0xFFFF00u);
    }
}

TEST_F(PlayTest, RandomizeRestartsTheCountersAndScattersThePieces) {
  form_->RandomizeMenuClick();
  EXPECT_EQ(form_->MovesCountLabel->Caption(), "You have made 0 moves.");
  EXPECT_EQ(form_->WrongMovesLabel->Caption(), "You have made 0 wrong moves.");
  EXPECT_EQ(form_->TipsLabel->Caption(),
            "Drag a piece of the puzzle on another piece, to swap them.");
  EXPECT_TRUE(form_->Board().GameModified);
  const int remaining = form_->Board().CountRemainingPieces();
  EXPECT_GT(remaining, 0);
  EXPECT_EQ(form_->RemainingCountLabel->Caption(), RemainingText(remaining));
  // Every cell shows the piece the map says.
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column) {
      const TCell& cell = form_->Board().Map[column][row];
      EXPECT_EQ(PuzzlePixel(X(column), Y(row)), testpicture::CellColour(cell.C, cell.R));
      EXPECT_EQ(cell.FH + cell.FV, 0);  // flipping is not allowed
    }
}

TEST_F(PlayTest, DragsStartOnlyOnMisplacedPiecesAndDropsFollowTheRules) {
  Misplace();
  form_->PuzzlePictureImageMouseDown(TMouseButton::Left, TShiftState(ssLeft), X(0), Y(0));
  EXPECT_EQ(Application->DragSource(), form_->PuzzlePictureImage);
  EXPECT_FALSE(Accepts(0, 0));  // the source
  EXPECT_FALSE(Accepts(5, 5));  // a piece in place
  EXPECT_TRUE(Accepts(1, 0));
  Application->EndDrag();

  // A press on a piece in place starts nothing.
  form_->PuzzlePictureImageMouseDown(TMouseButton::Left, TShiftState(ssLeft), X(4), Y(4));
  EXPECT_EQ(Application->DragSource(), nullptr);

  // Piece (1,0) lies in (0,0): dropped on (1,0) it lands home: a move, not
  // a wrong one, and the displaced piece lands home too.
  Drag(0, 0, 1, 0);
  EXPECT_EQ(form_->Board().MovesCount, 1);
  EXPECT_EQ(form_->Board().WrongMoves, 0);
  EXPECT_TRUE(form_->Board().GameModified);
  EXPECT_EQ(PuzzlePixel(X(0), Y(0)), testpicture::CellColour(0, 0));
  EXPECT_EQ(form_->MovesCountLabel->Caption(), "You have made 1 moves.");
  EXPECT_EQ(form_->RemainingCountLabel->Caption(),
            "There are 3 pieces remaining to be placed correctly.");

  // In the cycle a drop that does not bring the dragged piece home is wrong,
  // even when the displaced one lands home.
  const TCell moved = form_->Board().Map[0][2];
  Drag(0, 2, 2, 2);
  EXPECT_EQ(form_->Board().MovesCount, 2);
  EXPECT_EQ(form_->Board().WrongMoves, moved.C == 2 && moved.R == 2 ? 0 : 1);
  EXPECT_EQ(form_->WrongMovesLabel->Caption(), WrongMovesText(form_->Board().WrongMoves));

  // Finish: the last drop solves the puzzle and shows the clean picture.
  for (int guard = 0; guard < 5 && form_->Board().CountRemainingPieces() > 0; ++guard)
    for (int column = 0; column < 3; ++column)
      if (!form_->Board().IsCellCorrect(column, 2)) {
        const TCell piece = form_->Board().Map[column][2];
        Drag(column, 2, piece.C, piece.R);
        break;
      }
  EXPECT_EQ(form_->RemainingCountLabel->Caption(), "The puzzle is solved.");
  EXPECT_EQ(form_->TipsLabel->Caption(), "Press [F5] to load a picture. Press [L] to load a game.");
  EXPECT_TRUE(Near(PuzzlePixel(0, 0), testpicture::CellColour(0, 0)));  // no frames any more
}

TEST_F(PlayTest, DropsOnTheOriginalViewCountLikeDropsOnThePuzzle) {
  Misplace();
  // Piece (0,0) lies in (1,0); dropped on its home in the original view.
  form_->PuzzlePictureImageMouseDown(TMouseButton::Left, TShiftState(ssLeft), X(1), Y(0));
  bool accept = false;
  const int x = OriginalCellWidth() / 2, y = OriginalCellHeight() / 2;
  form_->OriginalPictureImageDragOver(form_->PuzzlePictureImage, x, y, accept);
  EXPECT_TRUE(accept);
  form_->OriginalPictureImageDragDrop(form_->PuzzlePictureImage, x, y);
  Application->EndDrag();
  EXPECT_EQ(form_->Board().MovesCount, 1);
  EXPECT_EQ(form_->Board().WrongMoves, 0);
  EXPECT_TRUE(form_->Board().IsCellCorrect(0, 0));
}

TEST_F(PlayTest, CtrlAndShiftClicksMirrorMisplacedPiecesOnly) {
  Misplace();
  ASSERT_TRUE(MarkAt(0, 0, false, false));
  Press(TMouseButton::Left, ssLeft | ssCtrl, 0, 0);
  EXPECT_EQ(form_->Board().Map[0][0].FH, 1);
  EXPECT_TRUE(MarkAt(0, 0, true, false));
  EXPECT_EQ(form_->Source().Column, -1);
  Press(TMouseButton::Left, ssLeft | ssShift, 0, 0);
  EXPECT_EQ(form_->Board().Map[0][0].FV, 1);
  EXPECT_TRUE(MarkAt(0, 0, true, true));  // both flags: half a turn
  // Flips are not moves.
  EXPECT_EQ(form_->Board().MovesCount, 0);
  EXPECT_FALSE(form_->Board().GameModified);

  // Further keys, or a double click, mirror nothing and hold nothing.
  for (uint8_t keys :
       {uint8_t(ssCtrl | ssShift), uint8_t(ssAlt), uint8_t(ssCtrl | ssAlt), uint8_t(ssDouble)}) {
    Press(TMouseButton::Left, ssLeft | keys, 0, 0);
    EXPECT_EQ(form_->Board().Map[0][0].FH, 1);
    EXPECT_EQ(form_->Board().Map[0][0].FV, 1);
    EXPECT_EQ(form_->Source().Column, -1);
    EXPECT_EQ(Application->DragSource(), nullptr);
  }
  // A piece in place stays as it is.
  Press(TMouseButton::Left, ssLeft | ssCtrl, 6, 6);
  EXPECT_EQ(form_->Board().Map[6][6].FH, 0);

  // Dropped home, a mirrored piece shows unmirrored but keeps its flags.
  Drag(0, 0, 1, 0);
  EXPECT_TRUE(MarkAt(1, 0, false, false));
  EXPECT_EQ(form_->Board().Map[1][0].FH, 1);
}

// Undo and Redo come after "Save game" in the Work menu, and their items
// walk the board back and forth, the screen with it.
TEST_F(PlayTest, TheWorkMenuUndoesAndRedoesMoves) {
  HMENU work = GetSubMenu(GetMenu(form_->Handle()), 0);
  std::vector<std::string> items;
  for (int item = 0; item < GetMenuItemCount(work); ++item) {
    char text[64] = {};
    GetMenuStringA(work, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
    items.push_back(text);
  }
  EXPECT_EQ(items, (std::vector<std::string>{
                       "Load picture\tF5", "Reload current picture\tCtrl+F5", "Open picture\tR",
                       "Paste picture\tCtrl+V", "", "Load last game\tCtrl+Z", "Load game\tL",
                       "Save game\tS", "", "Undo\tU", "Redo\tCtrl+Y", "", "Hide\tSpace"}));
  Misplace();
  Drag(0, 0, 1, 0);
  form_->UndoMenuClick();
  EXPECT_EQ(PuzzlePixel(X(0), Y(0)), testpicture::CellColour(1, 0));
  EXPECT_EQ(form_->MovesCountLabel->Caption(), "You have made 0 moves.");
  EXPECT_TRUE(form_->Board().GameModified);
  form_->RedoMenuClick();
  EXPECT_EQ(PuzzlePixel(X(0), Y(0)), testpicture::CellColour(0, 0));
  EXPECT_EQ(form_->MovesCountLabel->Caption(), "You have made 1 moves.");
}

TEST_F(PlayTest, TheRightButtonMarksACellInBothViews) {
  Misplace();
  const uint32_t red = 0xFF0000u, yellow = 0xFFFF00u;
  Press(TMouseButton::Right, ssRight, 0, 0);
  EXPECT_EQ(form_->Marked().Column, 0);
  EXPECT_EQ(PuzzlePixel(0, 0), red);
  EXPECT_EQ(OriginalPixel(0, 0), red);
  form_->OriginalPictureImageMouseDown(TMouseButton::Right, TShiftState(ssRight),
                                       OriginalCellWidth() + 2, 2);
  EXPECT_EQ(form_->Marked().Column, 1);
  EXPECT_EQ(PuzzlePixel(0, 0), 0u);  // unmarked: black again
  EXPECT_EQ(PuzzlePixel(form_->Piece().Width, 0), red);
  // A cell whose piece is in place shows yellow.
  Press(TMouseButton::Right, ssRight, 5, 5);
  EXPECT_EQ(PuzzlePixel(5 * form_->Piece().Width, 5 * form_->Piece().Height), yellow);
  // The light grid repaints the ordinary frames silver.
  form_->LightGridCheckBox->SetChecked(true);
  EXPECT_EQ(PuzzlePixel(0, 0), 0xC0C0C0u);
}

TEST_F(PlayTest, ThePointerShowsAtOnceWhetherThePieceUnderItCanMove) {
  Misplace();
  form_->Show();
  Application->ProcessMessages();
  // The pointer comes to rest over a cell: its shape is that cell's at once,
  // not the one of the cell it came from.
  auto restOn = [&](int column, int row) {
    POINT point{X(column), Y(row)};
    ClientToScreen(form_->PuzzlePictureImage->Handle(), &point);
    SetCursorPos(point.x, point.y);
    form_->PuzzlePictureImageMouseMove(TShiftState(), X(column), Y(row));
    return GetCursor();
  };
  EXPECT_EQ(restOn(0, 0), LoadCursor(nullptr, IDC_HAND));   // misplaced: it can be dragged
  EXPECT_EQ(restOn(5, 5), LoadCursor(nullptr, IDC_ARROW));  // at home
  EXPECT_EQ(restOn(1, 0), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(PlayTest, PointerMovementsShowThePositionAndTheHint) {
  Misplace();
  form_->PuzzlePictureImageMouseMove(TShiftState(), X(2), Y(3));
  EXPECT_EQ(form_->PositionLabel->Caption(), "Column 3. Row 4.");
  EXPECT_FALSE(form_->PuzzlePictureImage->ShowHint);
  form_->PuzzlePictureImageMouseMove(TShiftState(ssCtrl | ssAlt), X(0), Y(0));
  EXPECT_TRUE(form_->PuzzlePictureImage->ShowHint);
  EXPECT_EQ(form_->PuzzlePictureImage->Hint, "Column 2; Row 1; Flip horiz NO; Flip vert NO");
  form_->PuzzlePictureImageMouseMove(TShiftState(ssCtrl | ssAlt | ssShift), X(0), Y(0));
  EXPECT_FALSE(form_->PuzzlePictureImage->ShowHint);

  // Held buttons bring positions from outside the view: nothing breaks.
  const int width = form_->PuzzlePictureImage->Width();
  const int height = form_->PuzzlePictureImage->Height();
  for (auto [x, y] : std::initializer_list<std::pair<int, int>>{
           {-1, 5}, {5, -40}, {width, 5}, {5, height + 300}, {-99999, 99999}}) {
    form_->PuzzlePictureImageMouseMove(TShiftState(ssLeft), x, y);
    EXPECT_EQ(form_->PositionLabel->Caption(), "");
    bool accept = true;
    form_->PuzzlePictureImageDragOver(form_->PuzzlePictureImage, x, y, accept);
    EXPECT_FALSE(accept);
    form_->PuzzlePictureImageDragDrop(form_->PuzzlePictureImage, x, y);
    form_->PuzzlePictureImageMouseDown(TMouseButton::Right, TShiftState(ssRight), x, y);
  }
  EXPECT_EQ(form_->Board().MovesCount, 0);

  // The original view's last pixels belong to the last column and row.
  const int originalWidth = form_->OriginalPictureImage->Width();
  EXPECT_EQ(form_->OriginalCellAt(originalWidth - 1, 0).Column, 6);
  EXPECT_EQ(form_->OriginalCellAt(originalWidth + 50, 0).Column, 6);
  form_->OriginalPictureImageMouseMove(TShiftState(), originalWidth - 1, 0);
  EXPECT_EQ(form_->PositionLabel->Caption(), "Column 7. Row 1.");
  form_->OriginalPictureImageMouseMove(TShiftState(ssLeft), originalWidth + 50, 0);
  EXPECT_EQ(form_->PositionLabel->Caption(), "");

  // A hint still shown when the view is replaced goes with the old view.
  form_->PuzzlePictureImageMouseMove(TShiftState(ssCtrl | ssAlt), X(0), Y(0));
  EXPECT_EQ(Application->HintControl(), form_->PuzzlePictureImage);
  TGridSize grid{};
  EXPECT_TRUE(form_->LoadPicture(picture_, false, grid));
  EXPECT_EQ(Application->HintControl(), nullptr);
}

}  // namespace

namespace {

TEST_F(PlayTest, APictureThatDoesNotDecodeGivesOneBlackPieceQuietly) {
  const std::string damaged = picture_ + ".jpg";
  ASSERT_TRUE(testpicture::WriteBmp(damaged, 4, 4, [](int, int) { return 0xFFFFFFu; }));
  {
    // A JPEG name over a cut-off bitmap: nothing decodes it.
    HANDLE file =
        CreateFileA(damaged.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, 20, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  form_->LoadGameFromPicture(damaged);
  DeleteFileA(damaged.c_str());
  EXPECT_TRUE(recorder_.Shows.empty());
  EXPECT_EQ(form_->PictureTitle(), damaged);
  EXPECT_EQ(form_->Board().ResultedColumns, 1);
  EXPECT_EQ(form_->Board().ResultedRows, 1);
  EXPECT_EQ(form_->PuzzlePictureImage->Width(), form_->Piece().Width);
  EXPECT_EQ(PuzzlePixel(form_->Piece().Width / 2, form_->Piece().Height / 2), 0u);
  EXPECT_EQ(form_->OriginalPictureImage->Canvas().Width, 0);
  // The one piece is home: Randomize has nothing to scatter.
  form_->RandomizeMenuClick();
  EXPECT_EQ(form_->RemainingCountLabel->Caption(), "The puzzle is solved.");
}

TEST_F(PlayTest, APanoramaInOneRowOfPiecesKeepsTheRowsItShows) {
  // Fitted into the puzzle area the panorama is an eighth of a piece high,
  // but its one row of pieces shows it a whole piece high: as many rows as
  // it has. Stripes two rows wide come out as they are, not averaged away.
  const int areaWidth = form_->PuzzlePictureGroupBox->ClientWidth() - 10;
  const int pieceHeight = form_->Piece().Height;
  const std::string panorama = picture_ + ".pano.bmp";
  ASSERT_TRUE(testpicture::WriteBmp(panorama, 8 * areaWidth, pieceHeight,
                                    [](int, int y) { return y % 4 < 2 ? 0xFFFFFFu : 0x000000u; }));
  form_->LoadGameFromPicture(panorama);
  DeleteFileA(panorama.c_str());
  EXPECT_TRUE(recorder_.Shows.empty());
  ASSERT_EQ(form_->Board().ResultedRows, 1);
  ASSERT_EQ(form_->PuzzlePictureImage->Canvas().Height, pieceHeight);
  const int x = form_->PuzzlePictureImage->Canvas().Width / 2;
  for (int y = 0; y < pieceHeight; ++y)
    EXPECT_TRUE(Near(PuzzlePixel(x, y), y % 4 < 2 ? 0xFFFFFFu : 0x000000u))
        << "row " << y << ": " << std::hex << PuzzlePixel(x, y);
}

}  // namespace
