// Reading and driving the game's own windows: its views, labels and the
// error dialog.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "driver.h"

namespace ui {

// The game started from a fresh temporary program folder, and its main
// window (nullptr when none showed).
struct TStartedGame {
  TTempDir Folder;
  TProcess Process{InstallGame(Folder)};
  HWND Window = Process.WaitWindow("TQuiltraForm");
};

// The visible image (the view) inside one of the main window's group boxes:
// "Puzzle picture" or "Original picture".
HWND ViewIn(HWND window, const std::string& groupBox);
HWND PuzzleView(HWND window);
HWND OriginalView(HWND window);

// The text of the label that starts with the prefix; empty when none does.
std::string LabelStartingWith(HWND window, const std::string& prefix);
bool HasLabel(HWND window, const std::string& text);

// The piece size the game will compute for a grid on this window.
SIZE PieceSize(HWND window, int columns, int rows);

// The screen's DPI, as the game sees it, and a figure at 96 DPI at it.
int ScreenDpi();
int Scaled(int value);

// The middle of a cell of a view with cells of the size, on the screen.
POINT CellCentre(HWND view, int width, int height, int column, int row);
// The home of the piece a cell of the view shows, by the test picture's cell
// colours; false where none is recognised.
bool ShownPiece(const TShot& view, SIZE piece, int column, int row, int& homeColumn, int& homeRow);
// Which piece each cell of a 7 x 7 puzzle view shows, as read from the
// screen: column and row of its home, -1 where none is recognised.
struct TScreenBoard {
  std::array<std::array<int, 7>, 7> Column{}, Row{};  // [row][column]
  bool operator==(const TScreenBoard& other) const = default;
  bool IsHome(int column, int row) const {
    return Column[row][column] == column && Row[row][column] == row;
  }
  int Misplaced() const {
    int count = 0;
    for (int cell = 0; cell < 49; ++cell) count += !IsHome(cell % 7, cell / 7);
    return count;
  }
};
TScreenBoard ReadScreenBoard(HWND puzzle, SIZE piece);

// Drags every piece of a puzzle made of the test picture's cells home, as the
// screen shows them; the number of moves, or -1 when a cell shows no piece.
int DragEveryPieceHome(HWND puzzle, int columns, int rows, SIZE piece);

// Presses F5 and answers the picture dialog; true once a view shows.
bool LoadPictureWithF5(const TProcess& game, HWND window, const std::string& path);

// The error dialog of the process, its headline and memo text, and closing it.
HWND WaitErrorDialog(const TProcess& game, int timeoutMs = 10000);
std::string ErrorDialogText(HWND dialog);

// Selects a number in the columns or rows chooser.
void ChooseGrid(HWND window, int columns, int rows);

// Closes the game; true when it ended with exit code 0 and showed no dialog
// on the way out.
bool CloseQuietly(TProcess& game, HWND window);

}  // namespace ui
