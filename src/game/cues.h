// Notes, cues and the victory tune, all sounded through the console's tone and rest operations.
#pragma once

#include "console/console.h"

namespace tarnwick {

// The scale: three octaves of do, re, mi, fa, sol, la, si; each note sounds for 200 ms.
void noteLowDo(Console& console);
void noteLowRe(Console& console);
void noteLowMi(Console& console);
void noteLowFa(Console& console);
void noteLowSol(Console& console);
void noteLowLa(Console& console);
void noteLowSi(Console& console);
void noteMidDo(Console& console);
void noteMidRe(Console& console);
void noteMidMi(Console& console);
void noteMidFa(Console& console);
void noteMidSol(Console& console);
void noteMidLa(Console& console);
void noteMidSi(Console& console);
void noteHighDo(Console& console);
void noteHighRe(Console& console);
void noteHighMi(Console& console);
void noteHighFa(Console& console);
void noteHighSol(Console& console);
void noteHighLa(Console& console);
void noteHighSi(Console& console);

// Cues and the victory tune; each returns when its last step has ended.
void coinCue(Console& console);
void lifeLostCue(Console& console);
void defeatCue(Console& console);
void playVictoryTune(Console& console);

}  // namespace tarnwick
