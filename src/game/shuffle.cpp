// "Randomize": scatters and mirrors the pieces and restarts the counters.
#include "game/quiltraform.h"
#include "platform/random.h"

void TQuiltraForm::RandomizeMenuClick() {
  if (!PuzzlePictureImage || !PuzzlePictureImage->Visible()) return;
  ShuffleMap();
  keys_.Reset(game_);
  DrawAllPieces();
  DrawGrids(false);
  SetTips(kTipsDrag);
  ShowMovesCount();
  ShowWrongMovesCount();
}

void TQuiltraForm::ShuffleMap() {
  TRandomSource source{[] { return Random.NextInt(); }, [] { return Random.NextByte(); }};
  game_.Shuffle(AllowFlipCheckBox->Checked(), source);
}
