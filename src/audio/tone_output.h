// Tone output on the audio device: sine tones and rests written back to back into one
// stream, so that notes follow each other without a gap. Without a device (or in a build
// without ALSA) every tone and rest still takes its time, silently.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tarnwick {

class PcmStream;

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

    // Each returns when its time has passed: on a device that plays in real time, when the
    // sound has nearly been heard; otherwise at its deadline. A sound that directly follows
    // another starts at the other's deadline, not at the moment of the call, so a tune keeps
    // its length.
    void tone(int hz, int ms);
    void rest(int ms);
    // Whether the audio device is open. It is opened once, at the first tone or rest.
    bool hasDevice() const;

  private:
    // How samples went to the device: played in real time, taken at once, or not at all.
    enum class Fed { Paced, Unpaced, Failed };
    void play(int hz, int ms);
    Fed feed(const std::vector<std::int16_t>& samples);
    bool waitForQueue(long atMostFrames);

    std::unique_ptr<PcmStream> pcm_;
    bool openTried_ = false;
    SleepUntil sleepUntil_;
    Clock::time_point deadline_{};
};

}  // namespace tarnwick
