// Tone output on the audio device: sine tones and rests written back to back into one
// stream, so that notes follow each other without a gap. Without a device (or in a build
// without ALSA) every tone and rest still takes its time, silently.
//
// A sound server that stops taking samples can hold any call into ALSA for as long as it
// stalls, opening and closing the device included. So the device is driven by a sound thread
// of its own, fed one sound at a time; the game waits for each sound only until a little
// after its deadline, and never for the sound thread at the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace tarnwick {

struct SoundQueue;

class ToneOutput {
  public:
    using Clock = std::chrono::steady_clock;
    // How the output waits for a deadline; the real terminal passes a wait that keeps
    // repainting on resize while it waits.
    using SleepUntil = std::function<void(Clock::time_point)>;

    explicit ToneOutput(SleepUntil sleepUntil);
    // Gives the sound thread a moment to close the device; one stuck in a stalled device is
    // left behind, to end with the process.
    ~ToneOutput();
    ToneOutput(const ToneOutput&) = delete;
    ToneOutput& operator=(const ToneOutput&) = delete;

    // Each returns when its time has passed: on a device that plays in real time, when the
    // sound has nearly been heard, yet never more than a fifth of a second after its deadline;
    // otherwise at its deadline. A sound that directly follows another starts at the other's
    // deadline, not at the moment of the call, so a tune keeps its length: a device slower
    // than real time stretches it by a fifth of a second at most, and what the device cannot
    // play by a sound's deadline is left out. A device that
    // takes no samples for 2 s in all is given up for the rest of the run.
    void tone(int hz, int ms);
    void rest(int ms);
    // Whether the audio device is open and in use. It is opened once, at the first tone or
    // rest, and given up for good when it fails or stalls.
    bool hasDevice() const;

  private:
    void play(int hz, int ms);
    // Hands the sound to the sound thread and waits for it; false when this side is to keep
    // the sound's time instead.
    bool sound(int hz, int ms);
    bool awaitSound(std::uint64_t id);
    // With the queue's lock held: whether the device failed or stalled; if so, it is given
    // up for the rest of the run.
    bool deviceLost(Clock::time_point now);
    void startThread();

    std::shared_ptr<SoundQueue> queue_;
    std::thread thread_;
    bool silent_ = false;  // no device, or it failed or stalled: the rest of the run is silent
    std::uint64_t lastId_ = 0;
    SleepUntil sleepUntil_;
    Clock::time_point deadline_{};
    Clock::time_point returned_{};  // when the last sound returned
};

}  // namespace tarnwick
