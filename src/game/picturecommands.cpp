// The picture commands of the Work menu.
#include "game/quiltraform.h"

void TQuiltraForm::LoadPictureMenuClick() {}
void TQuiltraForm::ReloadCurrentPictureMenuClick() {}
void TQuiltraForm::OpenPictureMenuClick() {}
