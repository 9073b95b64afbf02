// Loading saved games back.
#include "game/quiltraform.h"

void TQuiltraForm::LoadGameMenuClick() {}
void TQuiltraForm::LoadLastGameMenuClick() {}
