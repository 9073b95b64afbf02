// Playing from the keyboard: a cursor on the puzzle view moved by the arrows,
// Enter to pick a piece up and drop it, and keys for the pointer's other
// actions. Every action goes through the same game rules and repainting as
// the pointer's; only the cursor and the held piece are the keyboard's own.
#include "forms/application.h"
#include "game/quiltraform.h"
#include "platform/handles.h"

namespace {

// Diagonal stripes of black and white, four pixels wide: along any edge of a
// cell they make dashes that show on every picture and match no frame colour.
HBRUSH DashBrush() {
  struct TDashes {
    UniqueBitmap Bitmap;
    UniqueBrush Brush;
  };
  static const TDashes dashes = [] {
    WORD rows[8];  // a monochrome bitmap: each row word-aligned, leftmost pixel in bit 7
    for (int y = 0; y < 8; ++y) {
      rows[y] = 0;
      for (int x = 0; x < 8; ++x)
        if ((x + y) / 4 % 2) rows[y] |= static_cast<WORD>(0x80 >> x);
    }
    TDashes made;
    made.Bitmap.reset(CreateBitmap(8, 8, 1, 1, rows));
    made.Brush.reset(CreatePatternBrush(made.Bitmap.get()));
    return made;
  }();
  return dashes.Brush.get();
}

// A band of the width just inside the one-pixel cell frame.
void FillBand(HDC dc, const RECT& cell, int width) {
  const RECT inner{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
  if (inner.right - inner.left <= 2 * width || inner.bottom - inner.top <= 2 * width) return;
  const RECT bands[4] = {
      {inner.left, inner.top, inner.right, inner.top + width},
      {inner.left, inner.bottom - width, inner.right, inner.bottom},
      {inner.left, inner.top + width, inner.left + width, inner.bottom - width},
      {inner.right - width, inner.top + width, inner.right, inner.bottom - width},
  };
  for (const RECT& band : bands) FillRect(dc, &band, DashBrush());
}

}  // namespace

void TQuiltraForm::AttachKeyboardHandlers() {
  TImage* view = PuzzlePictureImage;
  view->TakeKeyboard();
  view->OnKeyDown = [this](WORD key, TShiftState shift) { PuzzlePictureImageKeyDown(key, shift); };
  view->OnKeyUp = [this](WORD key, TShiftState shift) { PuzzlePictureImageKeyUp(key, shift); };
  view->OnEnter = [this] { MoveKeyboardCursor(keys_.Cursor()); };
  view->OnExit = [this] {
    InvalidatePuzzleCell(keys_.Cursor());
    ShowKeyboardHint(TShiftState{});
  };
  view->OnPaintOver = [this](HDC dc) { PaintKeyboardFrames(dc); };
  keys_.Reset(game_);
}

void TQuiltraForm::PuzzlePictureImageKeyDown(WORD key, TShiftState shift) {
  if (!game_.InPlayArea(keys_.Cursor())) return;
  const TShiftState modifiers = GetModifierKeys(shift);
  const bool plain = NoModifierKeys(modifiers);
  const bool ctrl = OnlyModifierKey(modifiers, ssCtrl);
  auto step = [&](TCursorStep where) {
    const TCellPos before = keys_.Cursor();
    keys_.MoveCursor(game_, where);
    MoveKeyboardCursor(before);
  };
  const TCellPos cursor = keys_.Cursor();
  switch (key) {
    case VK_LEFT:
      if (plain) step(TCursorStep::Left);
      break;
    case VK_RIGHT:
      if (plain) step(TCursorStep::Right);
      break;
    case VK_UP:
      if (plain) step(TCursorStep::Up);
      break;
    case VK_DOWN:
      if (plain) step(TCursorStep::Down);
      break;
    case VK_HOME:
      if (plain || ctrl) step(ctrl ? TCursorStep::BoardFirst : TCursorStep::RowFirst);
      break;
    case VK_END:
      if (plain || ctrl) step(ctrl ? TCursorStep::BoardLast : TCursorStep::RowLast);
      break;
    case VK_RETURN:
      // Ctrl and Shift mirror, as they do with a click.
      if (plain) KeyboardPickUpOrDrop(cursor);
      if (ctrl) FlipPiece(cursor, TFlip::Horizontally);
      if (OnlyModifierKey(modifiers, ssShift)) FlipPiece(cursor, TFlip::Vertically);
      break;
    case VK_ESCAPE:
      KeyboardPutBack();
      break;
    case 'O':
      // The drop on the piece's home in the original view.
      if (plain && keys_.Holding()) KeyboardPickUpOrDrop(keys_.HeldPieceHome(game_));
      break;
    case 'H':
      if (plain) FlipPiece(cursor, TFlip::Horizontally);
      break;
    case 'V':
      if (plain) FlipPiece(cursor, TFlip::Vertically);
      break;
    case 'M':
    case VK_APPS:
      if (plain) MarkCell(cursor);
      break;
    default:
      break;
  }
  ShowKeyboardHint(shift);
}

void TQuiltraForm::PuzzlePictureImageKeyUp(WORD /*key*/, TShiftState shift) {
  ShowKeyboardHint(shift);
}

void TQuiltraForm::KeyboardPickUpOrDrop(TCellPos target) {
  if (!keys_.Holding()) {
    if (keys_.PickUp(game_))
      InvalidatePuzzleCell(keys_.Held());
    else
      MessageBeep(MB_OK);
    return;
  }
  // Enter on the piece's own cell puts it back, as a drop there moves nothing.
  if (target == keys_.Held()) {
    KeyboardPutBack();
    return;
  }
  const TCellPos held = keys_.Held();
  const std::optional<TMove> move = keys_.Release(game_, target);
  if (!move) {
    MessageBeep(MB_OK);
    return;
  }
  InvalidatePuzzleCell(held);
  ShowMove(*move, game_.Play(*move));
}

void TQuiltraForm::KeyboardPutBack() {
  InvalidatePuzzleCell(keys_.Held());
  keys_.PutBack();
}

void TQuiltraForm::MoveKeyboardCursor(TCellPos before) {
  const TCellPos cell = keys_.Cursor();
  InvalidatePuzzleCell(before);
  InvalidatePuzzleCell(cell);
  if (game_.InPlayArea(cell)) PositionLabel->SetCaption(PositionText(cell.Column, cell.Row));
}

void TQuiltraForm::InvalidatePuzzleCell(TCellPos cell) {
  if (!game_.InPlayArea(cell)) return;
  PuzzlePictureImage->Invalidate(cell.Column * piece_.Width, cell.Row * piece_.Height, piece_.Width,
                                 piece_.Height);
}

void TQuiltraForm::PaintKeyboardFrames(HDC dc) {
  auto cellRect = [this](TCellPos cell) {
    return RECT{cell.Column * piece_.Width, cell.Row * piece_.Height,
                (cell.Column + 1) * piece_.Width, (cell.Row + 1) * piece_.Height};
  };
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  // The held piece's cell gets a band twice as wide as the cursor's.
  if (game_.InPlayArea(keys_.Held())) FillBand(dc, cellRect(keys_.Held()), 4);
  if (PuzzlePictureImage->Focused() && game_.InPlayArea(keys_.Cursor()))
    FillBand(dc, cellRect(keys_.Cursor()), 2);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void TQuiltraForm::ShowKeyboardHint(TShiftState shift) {
  TImage* view = PuzzlePictureImage;
  const TCellPos cell = keys_.Cursor();
  if (view->Focused() && OnlyModifierKeys(shift, ssCtrl, ssAlt) && game_.InPlayArea(cell)) {
    view->ShowHint = true;
    view->Hint = PieceHintText(game_.PieceIn(cell));
    // Beside the cell: the hint window sits a little below and right of this.
    POINT corner{(cell.Column + 1) * piece_.Width, cell.Row * piece_.Height};
    ClientToScreen(view->Handle(), &corner);
    Application->ActivateHint(view, corner);
  } else if (Application->HintControl() == view) {
    view->ShowHint = false;
    Application->CancelHint();
  }
}
