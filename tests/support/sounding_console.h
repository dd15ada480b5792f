// The test console with its tones and rests sent to a tone output, so that the game's cues and
// tunes sound on a real device (or ALSA's file plugin) while keys and time stay scripted.
#pragma once

#include "audio/tone_output.h"
#include "console/test_console.h"

namespace tarnwick::testing {

class SoundingConsole : public TestConsole {
  public:
    explicit SoundingConsole(ToneOutput& output) : output_(output) {}
    void tone(int hz, int ms) override { output_.tone(hz, ms); }
    void rest(int ms) override { output_.rest(ms); }

  private:
    ToneOutput& output_;
};

}  // namespace tarnwick::testing
