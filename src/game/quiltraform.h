// The game's one window: the settings panel, the original-picture view, the
// puzzle view, the main menu and every game command.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/gamefile.h"
#include "core/geometry.h"
#include "core/playsession.h"
#include "core/recovery.h"
#include "forms/controls.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/image.h"
#include "game/picturepainting.h"
#include "platform/gdiplus.h"
#include "platform/storedtextlist.h"

// The main window is the game's front end: it turns pointer positions and
// keys into the play session's inputs (core/playsession.h), shows what each
// answer says changed in one refresh, and shows the game's texts. What it
// holds beside the session is how the views lie on screen: the size of a
// piece.
class TAboutForm;

class TQuiltraForm : public TForm {
 public:
  // GDI+ runs in the session while the window lives.
  explicit TQuiltraForm(const TGdiplusSession& gdiplus);
  ~TQuiltraForm() override;

  // Reads the options file and arranges the window on the screen; "About"
  // shows the dialog given, which the window owns.
  void BeforeRun(TAboutForm& about);

  // A picture or game given from outside (the command line, a second start,
  // a drop, the clipboard) opens once the window takes input, as the menu
  // would open it; any other kind of file is ignored.
  void OpenLater(const std::string& path);

 protected:
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
  TMenuItem* PastePictureMenu;
  TMenuItem* LoadLastGameMenu;
  TMenuItem* LoadGameMenu;
  TMenuItem* SaveGameMenu;
  TMenuItem* UndoMenu;
  TMenuItem* RedoMenu;
  TMenuItem* HideMeu;
  TMenuItem* RandomizeMenu;
  TMenuItem* DownloadPicturesMenu;
  TMenuItem* HelpMenu;
  TMenuItem* AboutMenu;
  TOpenDialog LoadPictureDialog;
  TOpenDialog LoadGameDialog;
  TSaveDialog SaveGameDialog;

  // --- state ---
  TPlaySession session_;
  const TGame& Game() const { return session_.Game(); }
  const std::string& PictureTitle() const { return session_.Settings().PictureTitle; }
  TAboutForm* about_ = nullptr;
  TPieceSize piece_{0, 0};
  std::string LastGameTitle;
  std::string PictureExtensions;
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
  // What the session says an input changed, shown in one refresh.
  void ShowChange(const TPlayChange& change);
  // The moves, wrong moves and remaining labels as the session has them.
  void ShowCounters();

  // --- commands of play ---
  void RandomizeMenuClick();
  void UndoMenuClick();
  void RedoMenuClick();

  // --- rendering ---
  bool PicturesShown() const;
  // The piece the game has in a cell, painted there.
  void DrawPiece(TCellPos cell);
  // The piece and its frame in the puzzle view as a move leaves them, and
  // the frame in the original view when it changed; the cells' rectangles
  // are added for one invalidation of each view.
  void DrawCell(TCellPos cell, bool originalFrame, std::vector<RECT>& puzzleCells,
                std::vector<RECT>& originalCells);
  RECT PuzzleCellRect(TCellPos cell) const;
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
  void DrawCellFrames(TCellPos cell, bool highlight);
  void ShowSolvedPicture();

  // --- pointer ---
  TCellPos PuzzleCellAt(int x, int y) const;
  // The original view's cell; its last pixels belong to the last column and row.
  TCellPos OriginalCellAt(int x, int y) const;
  void UpdatePuzzleCursor(TCellPos cell);
  void PuzzlePictureImageMouseMove(TShiftState shift, int x, int y);
  void PuzzlePictureImageMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void PuzzlePictureImageDragOver(TControl* source, int x, int y, bool& accept);
  void PuzzlePictureImageDragDrop(TControl* source, int x, int y);
  void OriginalPictureImageMouseMove(TShiftState shift, int x, int y);
  void OriginalPictureImageMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void OriginalPictureImageDragOver(TControl* source, int x, int y, bool& accept);
  void OriginalPictureImageDragDrop(TControl* source, int x, int y);
  // The drag ended, with a drop or without.
  void PuzzlePictureImageEndDrag();
  void PuzzlePictureGroupBoxMouseMove(TShiftState shift, int x, int y);
  void OriginalPictureGroupBoxMouseMove(TShiftState shift, int x, int y);

  // --- keyboard ---
  void PuzzlePictureImageKeyDown(WORD key, TShiftState shift);
  void PuzzlePictureImageKeyUp(WORD key, TShiftState shift);
  // The cursor (while the view has the focus) and the held piece's cell,
  // drawn over the view's pixels.
  void PaintKeyboardFrames(HDC dc);
  void InvalidatePuzzleCell(TCellPos cell);
  // A hidden system caret on the keyboard cursor's cell while the view has
  // the focus: Magnifier and screen readers follow it.
  void FollowCursorWithCaret();
  TPieceSize caretSize_{0, 0};
  // The hint for the cursor's piece, beside its cell, while Ctrl+Alt is held.
  void ShowKeyboardHint(TShiftState shift);
  void AttachKeyboardHandlers();

  // --- options ---
  void ReadOptions(TStoredTextList& list);
  void WriteOptions(TStoredTextList& list);
  // The settings in force, as defaults for what a file leaves out.
  TCommonSettings ShownSettings() const;
  // Settings from a file: the session's, and shown in the controls.
  void ShowSettings(const TCommonSettings& settings);
  // The controls change the session's settings.
  void AttachSettingsHandlers();

  // --- game files ---
  [[nodiscard]] bool CheckSave();
  [[nodiscard]] bool SaveGame(const std::string& fileName);
  // "Save game" as its menu item runs it; true when the game was written.
  [[nodiscard]] bool SaveGameCommand();
  void SaveGameMenuClick();

  // --- picture commands ---
  void LoadGameFromPicture(const std::string& path);
  // Lays the picture out in the views: a new game cut by the chosen grid,
  // or, given a saved grid, cut into that whatever the window's size. The
  // grid it was cut into is given back; the play session is left as it is.
  [[nodiscard]] bool LoadPicture(const std::string& path, bool newGame, TGridSize& grid,
                                 int savedColumns = 0, int savedRows = 0);
  void LoadPictureMenuClick();
  void ReloadCurrentPictureMenuClick();
  void OpenPictureMenuClick();

  // --- opening from outside ---
  // A picture or a saved game, as the open dialogs' filters have it.
  bool CanOpen(const std::string& path) const;
  // Opens a picture as a new game or a saved game; false for any other file.
  bool OpenFile(const std::string& path);
  // The next file waiting, unless a dialog has the window disabled.
  void OpenWaitingFile();
  // The window's part of a second start, a drop and the timer above.
  bool HandleOpening(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void PastePictureMenuClick();
  std::vector<std::string> waitingFiles_;

  // --- the recovery copy ---
  // Asked twice a second: writes or removes the copy as the game asks.
  void KeepRecoveryCopy();
  // The game as its copy holds it: the game file, and the name it was loaded
  // or saved under, if any.
  std::string RecoveryText() const;
  void WriteRecoveryCopy(const std::string& text);
  void RemoveRecoveryCopy();
  // At start: a copy left by a game that ended unsaved is offered back.
  void OfferRecoveredGame();
  // Windows ends the session: the copy and the options are written, and no
  // question holds it up.
  bool EndSession();
  // Restart after updates, the session's end, the copy's timer.
  void StartKeepingRecovery();
  static constexpr UINT_PTR kRecoveryTimer = 22;
  static constexpr UINT kOfferRecoveryMessage = WM_APP + 22;
  TRecoveryKeeper recovery_;

  // --- game loading ---
  // The name is a copy: the save question may save the game shown, which
  // changes LastGameTitle while "Load last game" is loading it.
  // A recovered game keeps its modified mark and the name it had, and
  // leaves the last game as it was.
  void LoadGameFrom(std::string fileName, bool recovered = false);
  void LoadGameMenuClick();
  void LoadLastGameMenuClick();

 private:
  // What a failed game load puts back: the whole session, its history
  // included.
  struct TGameSnapshot {
    TPlaySession Session;
    TPieceSize Piece;
  };
  TGameSnapshot TakeSnapshot() const;
  void RestoreSnapshot(const TGameSnapshot& snapshot);

  void CreateComponents();
  // The designed figures of the window's layout, at its DPI.
  TWindowTemplate WindowTemplate() const;
  void CreateMainMenu();
  void AttachImageHandlers();
};
