// The dialog's decorations, each drawn at its final pixel size.
#pragma once

#include "tools/artgen/Canvas.h"

CCanvas drawFlagStrip();
CCanvas drawMedal();
CCanvas drawPortrait();
CCanvas drawStartScreenStone();
CCanvas drawStartScreenTank();
CCanvas drawStartScreenFighters();

// The icon at size `n`; `transparent` receives the mask, row-major.
CCanvas drawIcon(int n, std::vector<bool>& transparent);
