#include "terminal/tone_output.h"

#include <algorithm>

#include "terminal/pcm_stream.h"
#include "terminal/synthesis.h"

namespace tarnwick {

namespace {

using std::chrono::milliseconds;

// A sound that starts later than this after the previous deadline does not follow it: its
// time counts from the call. Anything sooner is the game's own work between two notes.
constexpr milliseconds FollowSlack{50};
// Audio left queued when a sound returns: enough to cover the game's work until the next
// sound is written, so that back-to-back notes have no gap.
constexpr long QueueTargetFrames = 20L * SamplesPerMs;
// While the device has no room, wait about this long before looking again.
constexpr milliseconds RoomPoll{10};
// A device still behind by this much after a sound's deadline is stuck: drop it and go on
// in silence.
constexpr milliseconds StuckAfter{500};

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
    if (pcm_ != nullptr && !feed(synthesize(hz, ms))) {
        pcm_.reset();  // the device failed: the game goes on without sound
    }
    sleepUntil_(deadline_);
}

// Writes the samples as room frees up, then waits until only a little is still queued.
bool ToneOutput::feed(const std::vector<std::int16_t>& samples) {
    const long total = static_cast<long>(samples.size());
    long done = 0;
    while (done < total) {
        const long room = pcm_->writableFrames();
        if (room < 0) {
            return false;
        }
        if (room == 0) {
            if (Clock::now() > deadline_ + StuckAfter) {
                return false;
            }
            pcm_->start();
            sleepUntil_(Clock::now() + RoomPoll);
            continue;
        }
        const long written = pcm_->write(samples.data() + done, std::min(room, total - done));
        if (written < 0) {
            return false;
        }
        done += written;
    }
    pcm_->start();
    return waitForQueue(QueueTargetFrames);
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
