// A tune as data: a list of steps, each a tone or a rest, played one after another.
#pragma once

#include <span>

#include "terminal/console.h"

namespace tarnwick {

// One step of a tune: a tone of hz for ms, or a rest of ms when hz is 0.
struct TuneStep {
    int hz;
    int ms;
};

// Plays the steps in order: tones through Console::tone, rests through Console::rest.
inline void playSteps(Console& console, std::span<const TuneStep> steps) {
    for (const TuneStep& step : steps) {
        if (step.hz == 0) {
            console.rest(step.ms);
        } else {
            console.tone(step.hz, step.ms);
        }
    }
}

}  // namespace tarnwick
