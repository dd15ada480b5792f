// Cues and the victory tune, all sounded through the console's tone and rest operations.
#pragma once

#include "console/console.h"

namespace tarnwick {

// Cues and the victory tune; each returns when its last step has ended.
void coinCue(Console& console);
void lifeLostCue(Console& console);
void defeatCue(Console& console);
void playVictoryTune(Console& console);

}  // namespace tarnwick
