#include "picturepainting.h"

#include "core/board.h"
#include "core/geometry.h"
#include "core/statusframe.h"
#include "platform/picture.h"

namespace {

// Destroys the old view and puts a new, hidden, black one of the size in its
// place; the picture is then stretched over the whole of it.
void ReplaceView(TControl* container, int left, int top, TImage*& view,
                 const TPictureSource& picture, int width, int height) {
  // The new view is complete before the old one goes, so a failure leaves a
  // view in place.
  TImage* fresh = container->Add<TImage>(left, top, width, height);
  // A view is placed in pixels of the screen, not by design.
  fresh->SetBounds(left, top, width, height);
  fresh->NewPicture(width, height);
  picture.DrawInto(fresh->Canvas());
  // A keyboard player keeps the focus in the view across a new picture.
  if (view && view->Focused()) fresh->SetFocus();
  if (view) container->Remove(view);
  view = fresh;
  view->SetVisible(true);
}

}  // namespace

TGridSize PaintPictureToGrid(const TViewPlace& place, TImage*& view, const TPictureSource& picture,
                             TPieceSize piece, TGridSize maximum) {
  STATUS_FRAME("PaintPictureToGrid");
  TGridSize grid{1, 1};
  frame.Run([&] {
    const TSize fitted = FitSizeToBox(picture.Width(), picture.Height(), place.AreaWidth,
                                      place.AreaHeight, place.Enlarge);
    grid.Columns = GridCount(fitted.Width, piece.Width, maximum.Columns);
    grid.Rows = GridCount(fitted.Height, piece.Height, maximum.Rows);
    ReplaceView(place.Container, place.Left, place.Top, view, picture, grid.Columns * piece.Width,
                grid.Rows * piece.Height);
  });
  return grid;
}

void PaintPictureUsingGrid(const TViewPlace& place, TImage*& view, const TPictureSource& picture,
                           TGridSize grid) {
  STATUS_FRAME("PaintPictureUsingGrid");
  frame.Run([&] {
    const TSize fitted = FitSizeToBox(picture.Width(), picture.Height(), place.AreaWidth,
                                      place.AreaHeight, place.Enlarge);
    // Each cell of the original view is a whole number of pixels.
    const int width = grid.Columns > 0 ? fitted.Width / grid.Columns * grid.Columns : 0;
    const int height = grid.Rows > 0 ? fitted.Height / grid.Rows * grid.Rows : 0;
    ReplaceView(place.Container, place.Left, place.Top, view, picture, width, height);
  });
}
