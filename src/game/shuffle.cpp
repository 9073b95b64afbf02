// "Randomize": scatters and mirrors the pieces and restarts the counters.
#include "core/shuffle.h"
#include "game/quiltraform.h"
#include "platform/random.h"

void TQuiltraForm::ShuffleMap() {
  TRandomSource source{[] { return Random.NextInt(); }, [] { return Random.NextByte(); }};
  ShuffleBoard(Board, AllowFlipCheckBox->Checked(), source);
}

void TQuiltraForm::RandomizeMenuClick() {
  if (!PuzzlePictureImage || !PuzzlePictureImage->Visible()) return;
  ResetGameCounters();
  ShuffleMap();
  DrawAllPieces();
  DrawGrids(false);
  SetTips(kTipsDrag);
  Board.MovesCount = 0;
  ShowMovesCount();
  Board.WrongMoves = 0;
  ShowWrongMovesCount();
}
