// Tone output on the audio device: sine tones and rests written back to back into one
// stream, so that notes follow each other without a gap. Without a device (or in a build
// without ALSA) every tone and rest still takes its time, silently.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tarnwick {

class ToneOutput {
  public:
    using Clock = std::chrono::steady_clock;
    // How the output waits for a deadline; the real terminal passes a wait that keeps
    // repainting on resize while it waits.
    using SleepUntil = std::function<void(Clock::time_point)>;

    explicit ToneOutput(SleepUntil sleepUntil);
    ~ToneOutput();
    ToneOutput(const ToneOutput&) = delete;
    ToneOutput& operator=(const ToneOutput&) = delete;

    // Each returns when its time has passed.
    void tone(int hz, int ms);
    void rest(int ms);
    // Whether an audio device was opened.
    bool hasDevice() const;

  private:
    struct Device;
    std::unique_ptr<Device> device_;
    SleepUntil sleepUntil_;
    Clock::time_point deadline_{};
};

}  // namespace tarnwick
