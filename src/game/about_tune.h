// The About screen's tune, about a minute and a half long.
#pragma once

#include "console/console.h"

namespace tarnwick {

// Plays the whole tune through the console's tone and rest; returns when its last rest ends.
void playAboutTune(Console& console);

}  // namespace tarnwick
