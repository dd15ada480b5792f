// A playback stream on the default device, 16-bit mono at SampleRate: ALSA's "default" on
// Linux (pcm_stream_posix.cpp), waveOut on Windows (pcm_stream_windows.cpp). All the device
// code of the game lives behind this class; a Linux build without ALSA never has a stream.
//
// Any of these calls, opening and closing included, may block for as long as the sound
// server stalls: ALSA's file plugin, for one, writes its file inside the write call, and
// non-blocking mode does not reach that. So only the sound thread (tone_output.h) calls them.
#pragma once

#include <cstdint>
#include <memory>

namespace tarnwick {

class PcmStream {
  public:
    // Opens "default" with about 60 ms of latency, with ALSA's error messages silenced.
    // Returns nullptr when there is no usable device, or when the build has no ALSA.
    static std::unique_ptr<PcmStream> openDefault();
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    // Writes the frames, blocking while the device's buffer is full; recovers from an
    // underrun (the game was quiet for a while) or an interrupting signal. Returns how many
    // frames were written (possibly fewer than asked), negative when the device has failed
    // for good.
    long write(const std::int16_t* samples, long frames);
    // Frames written but not yet heard; negative when the device has failed for good.
    long queuedFrames();
    // Starts playback of what was written, if the stream still waits for a full buffer.
    void start();

  private:
    struct Handle;
    explicit PcmStream(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> handle_;
};

}  // namespace tarnwick
