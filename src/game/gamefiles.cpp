// Saving games and the questions that protect them.
#include "game/quiltraform.h"

void TQuiltraForm::SaveGameMenuClick() {}
void TQuiltraForm::FormCloseQuery(bool& canClose) { canClose = true; }
