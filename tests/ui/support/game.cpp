#include "game.h"

#include "tests/support/testpicture.h"

namespace ui {

HWND ViewIn(HWND window, const std::string& groupBox) {
  HWND box = ChildWithText(window, "TGroupBox", groupBox);
  if (!box) return nullptr;
  for (HWND image : Children(box, "TImage"))
    if (IsWindowVisible(image)) return image;
  return nullptr;
}

HWND PuzzleView(HWND window) {
  return ViewIn(window, "Puzzle picture");
}
HWND OriginalView(HWND window) {
  return ViewIn(window, "Original picture");
}

std::string LabelStartingWith(HWND window, const std::string& prefix) {
  HWND label = ChildStartingWith(window, "TLabel", prefix);
  return label ? Text(label) : "";
}

bool HasLabel(HWND window, const std::string& text) {
  return ChildWithText(window, "TLabel", text) != nullptr;
}

SIZE PieceSize(HWND window, int columns, int rows) {
  RECT box{};
  GetClientRect(ChildWithText(window, "TGroupBox", "Puzzle picture"), &box);
  return SIZE{(box.right - 2 * Scaled(5)) / columns, (box.bottom - Scaled(20) - Scaled(5)) / rows};
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Scaled(int value) {
  return MulDiv(value, ScreenDpi(), 96);
}

POINT CellCentre(HWND view, int width, int height, int column, int row) {
  POINT point{column * width + width / 2, row * height + height / 2};
  ClientToScreen(view, &point);
  return point;
}

bool ShownPiece(const TShot& view, SIZE piece, int column, int row, int& homeColumn, int& homeRow) {
  return testpicture::CellOfColour(
      view.At(column * piece.cx + piece.cx / 2, row * piece.cy + piece.cy / 2), homeColumn,
      homeRow);
}

TScreenBoard ReadScreenBoard(HWND puzzle, SIZE piece) {
  TScreenBoard board;
  const TShot shot = CaptureClient(puzzle);
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 7; ++column) {
      int c = -1, r = -1;
      ShownPiece(shot, piece, column, row, c, r);
      board.Column[row][column] = c;
      board.Row[row][column] = r;
    }
  return board;
}

int DragEveryPieceHome(HWND puzzle, int columns, int rows, SIZE piece) {
  int moves = 0;
  for (int cell = 0; cell < columns * rows && moves < 3 * columns * rows;) {
    const int column = cell % columns, row = cell / columns;
    int homeColumn = -1, homeRow = -1;
    if (!ShownPiece(CaptureClient(puzzle), piece, column, row, homeColumn, homeRow)) return -1;
    if (homeColumn == column && homeRow == row) {
      ++cell;
      continue;
    }
    // The piece sent back starts the next drag from the same cell: press
    // elsewhere in it, or two presses would make a double click.
    POINT from = CellCentre(puzzle, piece.cx, piece.cy, column, row);
    const POINT to = CellCentre(puzzle, piece.cx, piece.cy, homeColumn, homeRow);
    from.x += moves % 2 ? piece.cx / 4 : -piece.cx / 4;
    DragTo(from.x, from.y, to.x, to.y);
    ++moves;
    // The next look at the screen must see this move.
    WaitFor(
        [&] {
          int c = -1, r = -1;
          return ShownPiece(CaptureClient(puzzle), piece, homeColumn, homeRow, c, r) &&
                 c == homeColumn && r == homeRow;
        },
        3000);
  }
  return moves;
}

bool LoadPictureWithF5(const TProcess& game, HWND window, const std::string& path) {
  HWND before = PuzzleView(window);
  PressKey(VK_F5);
  if (!AnswerFileDialog(game, path)) return false;
  return WaitFor([&] {
    HWND view = PuzzleView(window);
    return view && view != before;
  });
}

HWND WaitErrorDialog(const TProcess& game, int timeoutMs) {
  return game.WaitWindow("TErrorForm", timeoutMs);
}

std::string ErrorDialogText(HWND dialog) {
  std::vector<HWND> memos = Children(dialog, "Edit");
  return memos.empty() ? "" : Text(memos.front());
}

void ChooseGrid(HWND window, int columns, int rows) {
  std::vector<HWND> combos = Children(window, "ComboBox");
  if (combos.size() < 2) return;
  // Selected as a player's choice is: the item, and the notice the box sends.
  const std::pair<HWND, int> choices[] = {{combos[0], columns}, {combos[1], rows}};
  for (const auto& [combo, count] : choices) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(count - 5), 0);
    SendMessageA(GetParent(combo), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }
}

bool CloseQuietly(TProcess& game, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  bool sawDialog = false;
  WaitFor([&] {
    sawDialog = sawDialog || game.FindWindow("TErrorForm") || game.FindWindow("#32770");
    return !game.Running();
  });
  return !sawDialog && game.Wait() == 0;
}

}  // namespace ui
