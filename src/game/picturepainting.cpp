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

void PaintPictureToGrid(TControl* container, int left, int top, TImage*& view,
                        const TPictureSource& picture, bool enlarge, int areaWidth, int areaHeight,
                        int pieceWidth, int pieceHeight, int maxColumns, int maxRows, int& columns,
                        int& rows) {
  STATUS_FRAME("PaintPictureToGrid");
  columns = rows = 1;
  frame.Run([&] {
    const TSize fitted =
        FitSizeToBox(picture.Width(), picture.Height(), areaWidth, areaHeight, enlarge);
    columns = GridCount(fitted.Width, pieceWidth, maxColumns);
    rows = GridCount(fitted.Height, pieceHeight, maxRows);
    ReplaceView(container, left, top, view, picture, columns * pieceWidth, rows * pieceHeight);
  });
}

void PaintPictureUsingGrid(TControl* container, int left, int top, TImage*& view,
                           const TPictureSource& picture, bool enlarge, int areaWidth,
                           int areaHeight, int columns, int rows) {
  STATUS_FRAME("PaintPictureUsingGrid");
  frame.Run([&] {
    const TSize fitted =
        FitSizeToBox(picture.Width(), picture.Height(), areaWidth, areaHeight, enlarge);
    // Each cell of the original view is a whole number of pixels.
    const int width = columns > 0 ? fitted.Width / columns * columns : 0;
    const int height = rows > 0 ? fitted.Height / rows * rows : 0;
    ReplaceView(container, left, top, view, picture, width, height);
  });
}
