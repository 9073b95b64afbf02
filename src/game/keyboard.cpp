// Playing from the keyboard: a cursor on the puzzle view moved by the arrows,
// Enter to pick a piece up and drop it, and keys for the pointer's other
// actions. The keys become the play session's inputs, which go through the
// same rules and repainting as the pointer's.
#include <optional>

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
  view->OnEnter = [this] {
    FollowCursorWithCaret();
    InvalidatePuzzleCell(session_.Cursor());
    if (Game().InPlayArea(session_.Cursor()))
      PositionLabel->SetCaption(PositionText(session_.Cursor().Column, session_.Cursor().Row));
  };
  view->OnExit = [this] {
    DestroyCaret();
    caretSize_ = TPieceSize{0, 0};
    InvalidatePuzzleCell(session_.Cursor());
    ShowKeyboardHint(TShiftState{});
  };
  view->OnPaintOver = [this](HDC dc) { PaintKeyboardFrames(dc); };
}

namespace {

// The key of play a key press is, if any.
std::optional<TPlayKey> PlayKey(WORD key, TShiftState shift) {
  const TShiftState modifiers = GetModifierKeys(shift);
  const bool plain = NoModifierKeys(modifiers);
  const bool ctrl = OnlyModifierKey(modifiers, ssCtrl);
  switch (key) {
    case VK_LEFT:
      if (plain) return TPlayKey::Left;
      break;
    case VK_RIGHT:
      if (plain) return TPlayKey::Right;
      break;
    case VK_UP:
      if (plain) return TPlayKey::Up;
      break;
    case VK_DOWN:
      if (plain) return TPlayKey::Down;
      break;
    case VK_HOME:
      if (plain || ctrl) return ctrl ? TPlayKey::BoardFirst : TPlayKey::RowFirst;
      break;
    case VK_END:
      if (plain || ctrl) return ctrl ? TPlayKey::BoardLast : TPlayKey::RowLast;
      break;
    case VK_RETURN:
      // Ctrl and Shift mirror, as they do with a click.
      if (plain) return TPlayKey::PickUpOrDrop;
      if (ctrl) return TPlayKey::MirrorHorizontally;
      if (OnlyModifierKey(modifiers, ssShift)) return TPlayKey::MirrorVertically;
      break;
    case VK_ESCAPE:
      return TPlayKey::PutBack;
    case 'O':
      if (plain) return TPlayKey::DropHome;
      break;
    case 'H':
      if (plain) return TPlayKey::MirrorHorizontally;
      break;
    case 'V':
      if (plain) return TPlayKey::MirrorVertically;
      break;
    case 'M':
    case VK_APPS:
      if (plain) return TPlayKey::Mark;
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace

void TQuiltraForm::PuzzlePictureImageKeyDown(WORD key, TShiftState shift) {
  if (const std::optional<TPlayKey> play = PlayKey(key, shift)) ShowChange(session_.Key(*play));
  ShowKeyboardHint(shift);
}

void TQuiltraForm::PuzzlePictureImageKeyUp(WORD /*key*/, TShiftState shift) {
  ShowKeyboardHint(shift);
}

void TQuiltraForm::FollowCursorWithCaret() {
  if (!PuzzlePictureImage->Focused() || !Game().InPlayArea(session_.Cursor())) return;
  // Never while painting: the end of a paint shows the caret it hid at the
  // start, and a caret made in between would then show.
  if (caretSize_.Width != piece_.Width || caretSize_.Height != piece_.Height) {
    CreateCaret(PuzzlePictureImage->Handle(), nullptr, piece_.Width, piece_.Height);
    caretSize_ = piece_;
  }
  SetCaretPos(session_.Cursor().Column * piece_.Width, session_.Cursor().Row * piece_.Height);
}

void TQuiltraForm::InvalidatePuzzleCell(TCellPos cell) {
  if (!Game().InPlayArea(cell)) return;
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
  if (session_.HeldByKeys()) FillBand(dc, cellRect(session_.Held()), 4);
  if (PuzzlePictureImage->Focused() && Game().InPlayArea(session_.Cursor()))
    FillBand(dc, cellRect(session_.Cursor()), 2);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void TQuiltraForm::ShowKeyboardHint(TShiftState shift) {
  TImage* view = PuzzlePictureImage;
  const TCellPos cell = session_.Cursor();
  if (view->Focused() && OnlyModifierKeys(shift, ssCtrl, ssAlt) && Game().InPlayArea(cell)) {
    view->ShowHint = true;
    view->Hint = PieceHintText(Game().PieceIn(cell));
    // Beside the cell: the hint window sits a little below and right of this.
    POINT corner{(cell.Column + 1) * piece_.Width, cell.Row * piece_.Height};
    ClientToScreen(view->Handle(), &corner);
    Application->ActivateHint(view, corner);
  } else if (Application->HintControl() == view) {
    view->ShowHint = false;
    Application->CancelHint();
  }
}
