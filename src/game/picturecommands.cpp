// The picture commands of the Work menu, and laying a picture out as the
// board's views.
#include <algorithm>

#include "core/geometry.h"
#include "core/pathtext.h"
#include "core/statusframe.h"
#include "game/picturepainting.h"
#include "game/quiltraform.h"
#include "platform/files.h"
#include "platform/picture.h"

bool TQuiltraForm::LoadPicture(const std::string& path, bool newGame, TGridSize& grid,
                               int savedColumns, int savedRows) {
  STATUS_FRAME("TQuiltraForm::LoadPicture");
  bool loaded = false;
  frame.Run([&] {
    if (newGame && !CheckSave()) return;
    PositionLabel->SetCaption("");
    // A missing picture leaves the game on screen as it was, modified mark
    // included, so the save question still protects it.
    if (IsPathTooLong(path)) return frame.Raise(__LINE__, kPathTooLong, path);
    if (!MyFileExists(path)) return frame.Raise(__LINE__, "There is no such file.", path);

    // The views take the pixels of the screen they are given.
    const int left = Scale(5);
    const int puzzleTop = PuzzlePictureImage->Top();
    const int puzzleWidth = PuzzleArea().Width;
    const int puzzleHeight = PuzzleArea().Height;
    const int originalTop = OriginalPictureImage->Top();
    const int originalWidth = OriginalArea().Width;
    const int originalHeight = OriginalArea().Height;
    ComputePieceSize();
    // One decoding serves both views. The puzzle view is at least one piece
    // each way, even where the fitted picture is smaller.
    const TPictureSource picture(path, std::max(puzzleWidth, originalWidth),
                                 std::max(puzzleHeight, originalHeight), piece_.Width,
                                 piece_.Height);
    TGridSize maximum{kMaxGridCells, kMaxGridCells};
    if (!newGame && savedColumns > 0 && savedRows > 0) {
      // A game saved on another screen: cut the picture into its grid.
      const TSize fitted =
          FitSizeToBox(picture.Width(), picture.Height(), puzzleWidth, puzzleHeight, true);
      if (GridCount(fitted.Width, piece_.Width, kMaxGridCells) != savedColumns ||
          GridCount(fitted.Height, piece_.Height, kMaxGridCells) != savedRows) {
        if (fitted.Width < savedColumns || fitted.Height < savedRows)
          return frame.Raise(__LINE__, "The picture cannot be cut into the saved grid.", path);
        piece_ = TPieceSize{fitted.Width / savedColumns, fitted.Height / savedRows};
        maximum = TGridSize{savedColumns, savedRows};
      }
    }

    session_.SetPictureTitle(path);
    SetCaptionTitle("");
    grid = PaintPictureToGrid(TViewPlace{.Container = PuzzlePictureGroupBox,
                                         .Left = left,
                                         .Top = puzzleTop,
                                         .AreaWidth = puzzleWidth,
                                         .AreaHeight = puzzleHeight,
                                         .Enlarge = true},
                              PuzzlePictureImage, picture, piece_, maximum);

    // The new backup is complete before the old one goes: a failure in
    // between leaves the old one in place, never a destroyed one.
    const TPixelView puzzle = PuzzlePictureImage->Canvas();
    TImage* backup = PuzzlePictureGroupBox->Add<TImage>(0, 0, puzzle.Width, puzzle.Height);
    backup->NewPicture(puzzle.Width, puzzle.Height);
    CopyBlock(puzzle, 0, 0, backup->Canvas(), 0, 0, puzzle.Width, puzzle.Height, false, false);
    if (BackupPictureImage) PuzzlePictureGroupBox->Remove(BackupPictureImage);
    BackupPictureImage = backup;

    PaintPictureUsingGrid(TViewPlace{.Container = OriginalPictureGroupBox,
                                     .Left = left,
                                     .Top = originalTop,
                                     .AreaWidth = originalWidth,
                                     .AreaHeight = originalHeight,
                                     .Enlarge = true},
                          OriginalPictureImage, picture, grid);
    AttachImageHandlers();
    loaded = true;
  });
  return loaded;
}

void TQuiltraForm::LoadGameFromPicture(const std::string& path) {
  STATUS_FRAME("TQuiltraForm::LoadGameFromPicture");
  frame.Run([&] {
    if (!MatchesFileSpec(path, PictureExtensions)) return;
    TGridSize grid{};
    const bool loaded = LoadPicture(path, true, grid);
    if (frame.Adopt() || !loaded) return;
    session_.NewPicture(grid.Columns, grid.Rows);
    const std::string gameName = ChangeFileExtension(GetFileNameOnly(path), ".qtg");
    LoadGameDialog.FileName = GetFileDirectory(LoadGameDialog.FileName) + gameName;
    SaveGameDialog.FileName = GetFileDirectory(SaveGameDialog.FileName) + gameName;
    DrawGrids(true);
    SetTips(kTipsRandomize);
    ShowCounters();
  });
  frame.ShowStep(__LINE__, "Failed to load game.");
}

void TQuiltraForm::LoadPictureMenuClick() {
  STATUS_FRAME("TQuiltraForm::LoadPictureMenuClick");
  frame.Run([&] {
    LoadPictureDialog.FileName = PictureTitle();
    if (LoadPictureDialog.Execute()) LoadGameFromPicture(LoadPictureDialog.FileName);
  });
  frame.ShowStep(__LINE__, "Failed to load file.");
}

void TQuiltraForm::ReloadCurrentPictureMenuClick() {
  STATUS_FRAME("TQuiltraForm::ReloadCurrentPictureMenuClick");
  frame.Run([&] { LoadGameFromPicture(PictureTitle()); });
  frame.ShowStep(__LINE__, "Failed to load file.");
}

void TQuiltraForm::OpenPictureMenuClick() {
  STATUS_FRAME("TQuiltraForm::OpenPictureMenuClick");
  frame.Run([&] {
    RunFile(PictureTitle(), "", "", {.QuoteParameters = true});
    frame.Adopt();
  });
  frame.ShowStep(__LINE__, "Failed to open file.");
}
