#include "audio/tone_output.h"

#include <algorithm>

#include "audio/pcm_stream.h"
#include "audio/synthesis.h"

namespace tarnwick {

namespace {

using std::chrono::milliseconds;

// A sound that starts later than this after the previous deadline does not follow it: its
// time counts from the call. Anything sooner is the game's own work between two notes.
constexpr milliseconds FollowSlack{50};
// Audio left queued when a sound returns: enough to cover the game's work until the next
// sound is written, so that back-to-back notes have no gap.
constexpr long QueueTargetFrames = 30L * SamplesPerMs;
// A device still behind by this much after a sound's deadline is stuck: drop it and go on
// in silence. Generous, because a sound server may take a good part of a second to start a
// stream.
constexpr milliseconds StuckAfter{2000};

milliseconds framesToMs(long frames) {
    return milliseconds(frames / SamplesPerMs);
}

}  // namespace

ToneOutput::ToneOutput(SleepUntil sleepUntil) : sleepUntil_(std::move(sleepUntil)) {}
ToneOutput::~ToneOutput() = default;

bool ToneOutput::hasDevice() const {
    return pcm_ != nullptr;
}

void ToneOutput::tone(int hz, int ms) {
    play(hz, ms);
}

void ToneOutput::rest(int ms) {
    play(0, ms);
}

void ToneOutput::play(int hz, int ms) {
    const Clock::time_point now = Clock::now();
    if (deadline_ + FollowSlack < now) {
        deadline_ = now;
    }
    deadline_ += milliseconds(std::max(ms, 0));
    if (!openTried_) {
        openTried_ = true;
        pcm_ = PcmStream::openDefault();
    }
    if (pcm_ != nullptr) {
        const Fed fed = feed(synthesize(hz, ms));
        if (fed == Fed::Paced) {
            return;
        }
        if (fed == Fed::Failed) {
            pcm_.reset();  // the device failed: the game goes on without sound
        }
    }
    sleepUntil_(deadline_);
}

// Writes the samples (the device's blocking write paces this) and, on a device that plays in
// real time, waits until only a little is still queued: the next sound then follows with no
// gap. Such a device's own clock says when the sound has ended; waiting on for the deadline
// could let it run dry (a sound server that skipped part of a stream plays ahead of the
// deadlines). The write is not broken up by naps: the PulseAudio plugin of ALSA can stall
// for a second when a write follows a pause in the middle of a stream.
ToneOutput::Fed ToneOutput::feed(const std::vector<std::int16_t>& samples) {
    const long total = static_cast<long>(samples.size());
    long done = 0;
    while (done < total) {
        const long written = pcm_->write(samples.data() + done, total - done);
        if (written < 0 || Clock::now() > deadline_ + StuckAfter) {
            return Fed::Failed;
        }
        done += written;
    }
    pcm_->start();
    const long queued = pcm_->queuedFrames();
    if (queued < 0) {
        return Fed::Failed;
    }
    if (queued == 0) {
        return Fed::Unpaced;  // a device that takes samples at once keeps no time
    }
    return waitForQueue(QueueTargetFrames) ? Fed::Paced : Fed::Failed;
}

bool ToneOutput::waitForQueue(long atMostFrames) {
    for (;;) {
        const long queued = pcm_->queuedFrames();
        if (queued < 0) {
            return false;
        }
        if (queued <= atMostFrames) {
            return true;
        }
        if (Clock::now() > deadline_ + StuckAfter) {
            return false;
        }
        const milliseconds wait = std::max(framesToMs(queued - atMostFrames), milliseconds(1));
        sleepUntil_(Clock::now() + wait);
    }
}

}  // namespace tarnwick
