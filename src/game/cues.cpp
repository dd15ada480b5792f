#include "game/cues.h"

#include <array>
#include <span>

namespace tarnwick {

namespace {

// One step of a cue or tune: a tone of hz for ms, or a rest of ms when hz is 0.
struct TuneStep {
    int hz;
    int ms;
};

// Plays the steps in order: tones through Console::tone, rests through Console::rest.
void playSteps(Console& console, std::span<const TuneStep> steps) {
    for (const TuneStep& step : steps) {
        if (step.hz == 0) {
            console.rest(step.ms);
        } else {
            console.tone(step.hz, step.ms);
        }
    }
}

// Every note of the scale sounds for this long, with no pause after it.
constexpr int NoteMs = 200;

// The scale, low do to high si. Re of the middle octave and fa of the high one are the
// game's own pitches (578 and 1480 Hz), not the tempered ones.
enum Note {
    LowDo,
    LowRe,
    LowMi,
    LowFa,
    LowSol,
    LowLa,
    LowSi,
    MidDo,
    MidRe,
    MidMi,
    MidFa,
    MidSol,
    MidLa,
    MidSi,
    HighDo,
    HighRe,
    HighMi,
    HighFa,
    HighSol,
    HighLa,
    HighSi,
    NoteCount,
};

constexpr std::array<int, NoteCount> ScaleHz{
    262,  294,  330,  349,  392,  440,  494,   // low
    523,  578,  659,  698,  784,  880,  988,   // middle
    1046, 1175, 1318, 1480, 1568, 1760, 1976,  // high
};

constexpr TuneStep note(Note which) {
    return {ScaleHz[which], NoteMs};
}

constexpr std::array<TuneStep, 3> CoinCue{note(HighLa), note(HighLa), note(HighLa)};
constexpr std::array<TuneStep, 3> LifeLostCue{note(LowSol), note(LowSol), note(LowDo)};
constexpr std::array<TuneStep, 5> DefeatCue{note(MidMi), note(MidMi), note(MidRe), note(MidRe),
                                            note(LowSol)};

// Two phrases of seven notes with a 500 ms breath between them.
constexpr int VictoryBreathMs = 500;
constexpr std::array<TuneStep, 15> VictoryTune{
    note(MidDo), note(MidDo), note(MidSol), note(MidSol),
    note(MidLa), note(MidLa), note(MidSol), TuneStep{0, VictoryBreathMs},
    note(MidFa), note(MidFa), note(MidMi),  note(MidMi),
    note(MidRe), note(MidRe), note(MidDo),
};

}  // namespace

void coinCue(Console& console) {
    playSteps(console, CoinCue);
}
void lifeLostCue(Console& console) {
    playSteps(console, LifeLostCue);
}
void defeatCue(Console& console) {
    playSteps(console, DefeatCue);
}
void playVictoryTune(Console& console) {
    playSteps(console, VictoryTune);
}

}  // namespace tarnwick
