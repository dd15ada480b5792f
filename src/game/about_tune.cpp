// The About screen's tune: an ABA piece in A minor of about a minute and a half.
//
// A two-note pickup leads into the theme (A minor, detached notes with a gap after each),
// a lyrical middle part (C major, then G major, mostly joined) that winds back to the
// dominant E, the theme again, and a long final A. One second of silence opens and closes it.
#include "game/about_tune.h"

#include <array>
#include <span>

namespace tarnwick {

namespace {

// Pitches in hertz, E5 to A6; Fs and Gs are F sharp and G sharp.
constexpr int E5 = 659;
constexpr int F5 = 698;
constexpr int Fs5 = 740;
constexpr int G5 = 784;
constexpr int Gs5 = 831;
constexpr int A5 = 880;
constexpr int B5 = 988;
constexpr int C6 = 1046;
constexpr int D6 = 1175;
constexpr int E6 = 1318;
constexpr int Fs6 = 1480;
constexpr int G6 = 1568;
constexpr int A6 = 1760;

// The tune's three timing values, in milliseconds, and the lengths built from them.
constexpr int Long = 400;
constexpr int Short = 200;
constexpr int Gap = 128;
constexpr int LongShort = Long + Short;
constexpr int TwoLong = 2 * Long;
constexpr int ThreeLong = 3 * Long;
constexpr int FourLong = 4 * Long;
constexpr int HalfGap = Gap / 2;
constexpr int GapShort = Gap + Short;
constexpr int GapLong = Gap + Long;
constexpr int GapTwoLong = Gap + 2 * Long;
// Fixed pauses: a breath between two notes of a sung line, and the silence around the tune.
constexpr int Breath = 20;
constexpr int Silence = 1000;
// No pause at all: the next note follows at once.
constexpr int Legato = 0;

// A note and the pause after it.
struct Note {
    int hz;
    int ms;
    int pauseMs;
};

// clang-format off
constexpr std::array<Note, 2> Pickup{{
    {E5, Short, HalfGap}, {Gs5, Short, Legato},
}};

constexpr std::array<Note, 51> Theme{{
    // The call, and its answer up to high A.
    {A5, Long, Gap}, {C6, Short, HalfGap}, {B5, Short, HalfGap}, {A5, Long, Gap}, {E6, Long, Gap},
    {D6, Short, Legato}, {C6, Short, Gap}, {B5, Short, Legato}, {C6, Short, Gap},
    {A5, TwoLong, Gap},
    {C6, Long, Gap}, {E6, Short, Legato}, {D6, Short, Gap}, {C6, Long, Gap}, {A6, Long, Gap},
    {G6, Short, Legato}, {Fs6, Short, Gap}, {E6, Short, Legato}, {D6, Short, Gap},
    {E6, TwoLong, Gap},
    // The answer, closing on the tonic.
    {A6, LongShort, Gap}, {G6, Short, Gap}, {E6, Long, Gap}, {D6, Long, Gap},
    {C6, Long, Gap}, {D6, Short, Gap}, {E6, Short, Gap}, {B5, TwoLong, Gap},
    {A5, Long, Gap}, {B5, Short, Legato}, {C6, Short, Gap}, {D6, LongShort, Gap}, {C6, Short, Gap},
    {B5, Short, Legato}, {A5, Short, Gap}, {Gs5, Short, Legato}, {B5, Short, Gap},
    {A5, TwoLong, Long},
    // Climbing again, then down to a half close on E.
    {E6, Long, Breath}, {E6, Long, Gap}, {Fs6, Short, HalfGap}, {G6, Short, HalfGap},
    {A6, Long, Gap},
    {G6, LongShort, Gap}, {E6, Short, Gap}, {D6, TwoLong, Gap},
    {C6, Long, Gap}, {B5, Long, Gap}, {A5, Long, Gap}, {F5, Long, Gap},
    {E5, ThreeLong, GapLong},
}};

constexpr std::array<Note, 65> Middle{{
    // In C major, sung and joined.
    {C6, Long, Breath}, {C6, Short, Legato}, {D6, Short, Breath}, {E6, TwoLong, Gap},
    {D6, Short, Legato}, {C6, Short, Breath}, {B5, Short, Legato}, {A5, Short, Gap},
    {G5, TwoLong, GapLong},
    {A5, Long, Gap}, {B5, Short, Legato}, {C6, Short, Gap}, {D6, LongShort, HalfGap},
    {E6, Short, Gap}, {C6, Long, Short}, {A5, Short, Legato}, {B5, Short, Gap},
    {C6, TwoLong, GapShort},
    // Up into G major.
    {D6, Short, HalfGap}, {E6, Short, HalfGap}, {Fs6, Short, HalfGap}, {G6, Short, Gap},
    {A6, LongShort, Breath}, {G6, Short, Gap}, {Fs6, Long, Breath}, {E6, Long, Gap},
    {D6, ThreeLong, Long},
    {B5, Long, Breath}, {C6, Short, Legato}, {D6, Short, Breath}, {E6, LongShort, Gap},
    {D6, Short, Legato}, {C6, Short, Breath}, {B5, Long, Gap}, {A5, LongShort, Gap},
    {Fs5, Short, Breath}, {G5, TwoLong, GapLong},
    // The high point.
    {G6, Long, Breath}, {G6, Long, Gap}, {A6, LongShort, Gap}, {G6, Short, Legato},
    {Fs6, Short, Breath}, {E6, Short, Legato}, {D6, Short, Gap}, {E6, LongShort, Gap},
    {Fs6, Short, Legato}, {G6, TwoLong, Long},
    // Down again.
    {A6, Long, Gap}, {G6, Long, HalfGap}, {E6, LongShort, Gap}, {D6, Short, Breath},
    {C6, Long, Gap}, {B5, Long, HalfGap}, {A5, ThreeLong, GapShort},
    // Back to A minor: slow steps and long silences before the theme returns.
    {E6, TwoLong, Long}, {C6, TwoLong, Long}, {A5, TwoLong, GapLong},
    {F5, LongShort, GapShort}, {E5, LongShort, GapShort}, {Gs5, LongShort, Short},
    {B5, Long, Legato}, {A5, Long, GapLong}, {Gs5, Long, GapLong}, {B5, Long, GapTwoLong},
    {E5, FourLong, Legato},
}};

// The last note, then the closing silence.
constexpr std::array<Note, 1> Coda{{
    {A5, FourLong, Silence},
}};
// clang-format on

void playNotes(Console& console, std::span<const Note> notes) {
    for (const Note& note : notes) {
        console.tone(note.hz, note.ms);
        if (note.pauseMs != Legato) {
            console.rest(note.pauseMs);
        }
    }
}

}  // namespace

void playAboutTune(Console& console) {
    console.rest(Silence);
    playNotes(console, Pickup);
    playNotes(console, Theme);
    playNotes(console, Middle);
    playNotes(console, Theme);
    playNotes(console, Coda);
}

}  // namespace tarnwick
