#include "audio/pcm_stream.h"

#include "audio/synthesis.h"

#ifdef TARNWICK_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace tarnwick {

#ifdef TARNWICK_HAVE_ALSA

namespace {

// Requested latency of the stream: small enough that a tone follows a key press at once,
// large enough to ride out a busy moment of the game.
constexpr unsigned LatencyUs = 60'000;

// ALSA prints its errors to stderr by default, and stderr is the game's terminal.
void ignoreAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                     const char* /*fmt*/, ...) {}

}  // namespace

struct PcmStream::Handle {
    snd_pcm_t* pcm = nullptr;
    ~Handle() {
        if (pcm != nullptr) {
            snd_pcm_close(pcm);
        }
    }
};

std::unique_ptr<PcmStream> PcmStream::openDefault() {
    snd_lib_error_set_handler(ignoreAlsaError);
    auto handle = std::make_unique<Handle>();
    // Opened non-blocking so that a device held by another program fails at once instead of
    // hanging the game, then switched to blocking for the writes.
    if (snd_pcm_open(&handle->pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
        handle->pcm = nullptr;
        return nullptr;
    }
    if (snd_pcm_nonblock(handle->pcm, 0) < 0 ||
        snd_pcm_set_params(handle->pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                           SampleRate, 1, LatencyUs) < 0) {
        return nullptr;
    }
    return std::unique_ptr<PcmStream>(new PcmStream(std::move(handle)));
}

long PcmStream::write(const std::int16_t* samples, long frames) {
    const snd_pcm_sframes_t written =
        snd_pcm_writei(handle_->pcm, samples, static_cast<snd_pcm_uframes_t>(frames));
    if (written >= 0) {
        return static_cast<long>(written);
    }
    // An underrun, a suspend or an interrupting signal: prepare again; the caller retries.
    return snd_pcm_recover(handle_->pcm, static_cast<int>(written), 1) < 0 ? -1 : 0;
}

long PcmStream::queuedFrames() {
    snd_pcm_sframes_t frames = 0;
    const int err = snd_pcm_delay(handle_->pcm, &frames);
    if (err == -EPIPE) {
        return 0;  // ran dry: nothing is queued
    }
    if (err < 0) {
        return -1;
    }
    return frames < 0 ? 0 : static_cast<long>(frames);
}

void PcmStream::start() {
    if (snd_pcm_state(handle_->pcm) == SND_PCM_STATE_PREPARED) {
        snd_pcm_start(handle_->pcm);
    }
}

#else  // no ALSA in this build: openDefault never makes a stream, so the rest is unreachable

struct PcmStream::Handle {};

std::unique_ptr<PcmStream> PcmStream::openDefault() {
    return nullptr;
}
long PcmStream::write(const std::int16_t*, long) {
    return -1;
}
long PcmStream::queuedFrames() {
    return -1;
}
void PcmStream::start() {}

#endif

PcmStream::PcmStream(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
PcmStream::~PcmStream() = default;

}  // namespace tarnwick
