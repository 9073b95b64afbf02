// The commands of play: "Randomize" scatters and mirrors the pieces and
// restarts the counters; Undo and Redo walk the session's history.
#include "game/quiltraform.h"
#include "platform/random.h"

void TQuiltraForm::RandomizeMenuClick() {
  if (!PuzzlePictureImage || !PuzzlePictureImage->Visible()) return;
  const TRandomSource source{[] { return Random.NextInt(); }, [] { return Random.NextByte(); }};
  ShowChange(session_.Randomize(source));
}

void TQuiltraForm::UndoMenuClick() {
  if (PicturesShown()) ShowChange(session_.Undo());
}

void TQuiltraForm::RedoMenuClick() {
  if (PicturesShown()) ShowChange(session_.Redo());
}
