// The game's one window: the settings panel, the original-picture view, the
// puzzle view, the main menu and every game command.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/board.h"
#include "core/geometry.h"
#include "forms/controls.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/image.h"
#include "platform/gdiplus.h"
#include "platform/storedtextlist.h"

// The section that the options file and game files share, and the longest
// path either of them keeps.
inline constexpr const char* kGameSection = "QuiltraGame";
inline constexpr int kMaxTitleLength = 259;

class TQuiltraForm : public TForm {
 public:
  TQuiltraForm();
  ~TQuiltraForm() override;

  void BeforeRun();
  std::string GamesDirectory() const;

  // --- components ---
  TPanel* MainPanel;
  TLabel* TipsLabel;
  TLabel* ColumnsCountLabel;
  TComboBox* ColumnsCountComboBox;
  TCheckBox* AllowFlipCheckBox;
  TLabel* RowsCountLabel;
  TComboBox* RowsCountComboBox;
  TCheckBox* LightGridCheckBox;
  TLabel* PositionLabel;
  TLabel* MovesCountLabel;
  TLabel* WrongMovesLabel;
  TLabel* RemainingCountLabel;
  TGroupBox* OriginalPictureGroupBox;
  TImage* OriginalPictureImage;
  TGroupBox* PuzzlePictureGroupBox;
  TImage* PuzzlePictureImage;
  TImage* BackupPictureImage;
  TMenuItem* WorkMenu;
  TMenuItem* LoadPictureMenu;
  TMenuItem* ReloadCurrentPictureMenu;
  TMenuItem* OpenPictureMenu;
  TMenuItem* LoadLastGameMenu;
  TMenuItem* LoadGameMenu;
  TMenuItem* SaveGameMenu;
  TMenuItem* HideMeu;
  TMenuItem* RandomizeMenu;
  TMenuItem* DownloadPicturesMenu;
  TMenuItem* HelpMenu;
  TMenuItem* AboutMenu;
  TOpenDialog LoadPictureDialog;
  TOpenDialog LoadGameDialog;
  TSaveDialog SaveGameDialog;

  // --- state ---
  TBoard Board;
  std::string PictureTitle;
  std::string LastGameTitle;
  std::string PictureExtensions;
  ULONG_PTR GdiplusToken = 0;
  TGdiplusStartupInput GdiplusInput;
  std::unique_ptr<TStoredTextList> OptionsList;
  std::unique_ptr<TStoredTextList> GameList;

  // --- main window ---
  void SetTips(const std::string& text);
  void SetCaptionTitle(const std::string& title);
  void ArrangeWindow();
  // The picture boxes in the client area the window has.
  void ArrangeBoxes();
  // On a monitor of another DPI: the boxes in the new client area, the
  // picture laid out again in the grid it has.
  void FormDpiChanged();
  // Where the pictures may lie in their boxes, in pixels of the screen.
  TSize PuzzleArea() const;
  TSize OriginalArea() const;
  void HideMeuClick();
  void DownloadPicturesMenuClick();
  void HelpMenuClick();
  void AboutMenuClick();
  void LightGridCheckBoxClick();
  void FormCloseQuery(bool& canClose);

  // --- board ---
  void ComputePieceSize();
  void SwapAndDrawCells(int column1, int row1, int column2, int row2);
  void FlipPieceHorizontally(int column, int row);
  void FlipPieceVertically(int column, int row);
  void DropOnCell(int column, int row);
  void ShowMovesCount();
  void ShowWrongMovesCount();
  void ResetGameCounters();

  // --- shuffle ---
  void RandomizeMenuClick();
  void ShuffleMap();

  // --- rendering ---
  bool PicturesShown() const;
  void DrawPiece(int homeColumn, int homeRow, bool flipHorizontally, bool flipVertically,
                 int cellColumn, int cellRow);
  void DrawAllPieces();
  void DrawCellFrame(TImage* image, int cellWidth, int cellHeight, int column, int row,
                     bool highlight);
  void DrawGrid(TImage* image, int cellWidth, int cellHeight, int rows, int columns);
  // Frames are one pixel wide at 96 DPI and grow with the DPI.
  int FrameWidth() const;
  // The original view's cell size: its bitmap divided evenly by the grid; 0
  // while there is no grid.
  int OriginalCellWidth() const;
  int OriginalCellHeight() const;
  void DrawOriginalGrid();
  void DrawGrids(bool originalOnly);
  void DrawCellFrames(int column, int row, bool highlight);
  void MarkCell(int column, int row);
  void UnmarkCell();
  void ShowSolvedPicture();

  // --- pointer ---
  int OriginalColumnAt(int x) const;
  int OriginalRowAt(int y) const;
  void UpdatePuzzleCursor(int column, int row);
  void PuzzlePictureImageMouseMove(TShiftState shift, int x, int y);
  void PuzzlePictureImageMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void PuzzlePictureImageDragOver(TControl* source, int x, int y, bool& accept);
  void PuzzlePictureImageDragDrop(TControl* source, int x, int y);
  void OriginalPictureImageMouseMove(TShiftState shift, int x, int y);
  void OriginalPictureImageMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void OriginalPictureImageDragOver(TControl* source, int x, int y, bool& accept);
  void OriginalPictureImageDragDrop(TControl* source, int x, int y);
  void PuzzlePictureGroupBoxMouseMove(TShiftState shift, int x, int y);
  void OriginalPictureGroupBoxMouseMove(TShiftState shift, int x, int y);

  // --- options ---
  void ReadOptions(TStoredTextList& list);
  void WriteOptions(TStoredTextList& list);
  void ReadCommonSettings(TStoredTextList& list);
  void WriteCommonSettings(TStoredTextList& list);
  void ReadGridSize();

  // --- game files ---
  bool CheckSave();
  bool SaveGame(const std::string& fileName);
  // "Save game" as its menu item runs it; true when the game was written.
  bool SaveGameCommand();
  void ReadGame(TStoredTextList& list);
  void WriteGame(TStoredTextList& list);
  void SaveGameMenuClick();

  // --- picture commands ---
  void LoadGameFromPicture(const std::string& path);
  // A loaded game passes its saved grid: the picture is then cut into it,
  // whatever the window's size.
  bool LoadPicture(const std::string& path, bool newGame, int savedColumns = 0, int savedRows = 0);
  void LoadPictureMenuClick();
  void ReloadCurrentPictureMenuClick();
  void OpenPictureMenuClick();

  // --- game loading ---
  // The name is a copy: the save question may save the game shown, which
  // changes LastGameTitle while "Load last game" is loading it.
  void LoadGameFrom(std::string fileName);
  void LoadGameMenuClick();
  void LoadLastGameMenuClick();

 private:
  // What a failed game load puts back.
  struct TGameSnapshot {
    TBoard Board;
    std::string PictureTitle;
    std::string ColumnsText;
    std::string RowsText;
    bool LightGrid;
  };
  TGameSnapshot TakeSnapshot() const;
  void RestoreSnapshot(const TGameSnapshot& snapshot);

  void CreateComponents();
  // The designed figures of the window's layout, at its DPI.
  TWindowTemplate WindowTemplate() const;
  void CreateMainMenu();
  void AttachImageHandlers();
  // A drop on either view: the move, and a wrong move when the dragged piece
  // did not land home.
  void DropDraggedPiece(int column, int row);
};

extern TQuiltraForm* QuiltraForm;
