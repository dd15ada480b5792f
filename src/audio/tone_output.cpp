#include "audio/tone_output.h"

#include <pthread.h>

#include <algorithm>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <mutex>
#include <system_error>
#include <vector>

#include "audio/pcm_stream.h"
#include "audio/synthesis.h"

namespace tarnwick {

namespace {

using Clock = ToneOutput::Clock;
using std::chrono::milliseconds;

// A sound that starts later than this after the previous deadline, or after the previous
// sound returned, does not follow it: its time counts from the call. Anything sooner is the
// game's own work between two notes.
constexpr milliseconds FollowSlack{50};
// Audio left queued when a sound returns: enough to cover the game's work until the next
// sound is written, so that back-to-back notes have no gap.
constexpr long QueueTargetFrames = 30L * SamplesPerMs;
// How long after its deadline a sound may still wait for the device: one that plays in real
// time ends a little late. Sounds that follow each other wait this much in all, so that the
// game's own work after them still ends a tune or a screen within a quarter second.
constexpr milliseconds Grace{200};
// A device that has taken no samples for this long in all is given up for the rest of the
// run. Generous, because a sound server may take a good part of a second (up to two, for an
// idle PulseAudio null sink) to start a stream.
constexpr milliseconds StallLimit{2000};
// Pauses this short are how a sound server schedules its work; only time beyond this, in
// each pause, counts towards StallLimit.
constexpr milliseconds StallTolerance{100};
// While it waits for the sound thread, the game looks after the terminal this often (a
// resize repaints).
constexpr milliseconds TerminalSlice{20};
// Frames per write: each write that returns shows that the device takes samples.
constexpr long ChunkFrames = 10L * SamplesPerMs;
// Sound waiting for a device that fell behind is bounded; a sound beyond it goes unheard.
constexpr int MaxBacklogMs = 4000;
// How long the end of the program waits for the sound thread to close the device.
constexpr milliseconds CloseWait{250};

milliseconds framesToMs(long frames) {
    return milliseconds(frames / SamplesPerMs);
}

milliseconds beyondTolerance(Clock::duration pause) {
    return std::max(std::chrono::duration_cast<milliseconds>(pause) - StallTolerance,
                    milliseconds(0));
}

}  // namespace

// What the game and the sound thread share, under the mutex.
struct SoundQueue {
    struct Sound {
        std::uint64_t id;
        int hz;
        int ms;
        Clock::time_point deadline;  // when the game's own clock has it end
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Sound> sounds;  // the first is being played
    int backlogMs = 0;
    std::uint64_t doneId = 0;  // the last sound the device has nearly played
    bool donePaced = false;    // whether the device played it in real time
    bool opened = false;
    bool failed = false;            // no device, or it failed for good
    bool closing = false;           // the game gave the device up, or is ending
    bool finished = false;          // the sound thread has ended
    Clock::time_point lastTaken{};  // when the device last took or played samples
    milliseconds stalled{0};        // pauses in taking samples, beyond StallTolerance, in all

    // The device took or played samples (with the lock held).
    void taken() {
        const Clock::time_point now = Clock::now();
        stalled += beyondTolerance(now - lastTaken);
        lastTaken = now;
    }
    milliseconds stalledInAll(Clock::time_point now) const {
        return sounds.empty() ? stalled : stalled + beyondTolerance(now - lastTaken);
    }
};

namespace {

// How samples went to the device: played in real time, taken at once, or not at all.
enum class Fed { Paced, Unpaced, Failed, Closing };

void noteTaken(SoundQueue& queue) {
    const std::lock_guard lock(queue.mutex);
    queue.taken();
}

// Waits until the device has only a little still queued, so that the next sound follows
// with no gap. Such a device's own clock says when the sound has ended; waiting on for the
// deadline could let it run dry (a sound server that skipped part of a stream plays ahead
// of the deadlines).
Fed waitForQueue(SoundQueue& queue, PcmStream& pcm, long queued) {
    while (queued > QueueTargetFrames) {
        const milliseconds wait = std::max(framesToMs(queued - QueueTargetFrames), milliseconds(1));
        std::unique_lock lock(queue.mutex);
        if (queue.changed.wait_for(lock, wait, [&queue] { return queue.closing; })) {
            return Fed::Closing;
        }
        lock.unlock();
        const long now = pcm.queuedFrames();
        if (now < 0) {
            return Fed::Failed;
        }
        if (now < queued) {
            noteTaken(queue);
        }
        queued = now;
    }
    return Fed::Paced;
}

// Writes the samples in short pieces (the device's blocking write paces this) and, on a
// device that plays in real time, waits for its queue. The writes are not broken up by
// naps: the PulseAudio plugin of ALSA can stall for a second when a write follows a pause
// in the middle of a stream.
Fed feed(SoundQueue& queue, PcmStream& pcm, const std::vector<std::int16_t>& samples) {
    const long total = static_cast<long>(samples.size());
    for (long done = 0; done < total;) {
        {
            const std::lock_guard lock(queue.mutex);
            if (queue.closing) {
                return Fed::Closing;
            }
        }
        const long written = pcm.write(samples.data() + done, std::min(ChunkFrames, total - done));
        if (written < 0) {
            return Fed::Failed;
        }
        if (written > 0) {
            done += written;
            noteTaken(queue);
        }
    }
    pcm.start();
    const long queued = pcm.queuedFrames();
    if (queued < 0) {
        return Fed::Failed;
    }
    if (queued == 0) {
        return Fed::Unpaced;  // a device that takes samples at once keeps no time
    }
    return waitForQueue(queue, pcm, queued);
}

// The sound thread: opens the device, then plays the sounds in order until the device fails
// or the game closes the queue. Every call into ALSA happens here.
void runSoundThread(const std::shared_ptr<SoundQueue>& queue) {
    std::unique_ptr<PcmStream> pcm = PcmStream::openDefault();
    std::unique_lock lock(queue->mutex);
    queue->opened = pcm != nullptr;
    queue->failed = pcm == nullptr;
    queue->taken();
    queue->changed.notify_all();
    while (!queue->failed) {
        queue->changed.wait(lock, [&queue] { return queue->closing || !queue->sounds.empty(); });
        if (queue->closing) {
            break;
        }
        const SoundQueue::Sound sound = queue->sounds.front();
        lock.unlock();
        // A device slower than real time falls behind the game's clock: what it can no
        // longer play in time is left out, so that it catches up.
        const auto late = std::chrono::duration_cast<milliseconds>(
            Clock::now() - (sound.deadline - milliseconds(sound.ms)));
        const int ms = late > FollowSlack ? sound.ms - static_cast<int>(late.count()) : sound.ms;
        const Fed fed = ms > 0 ? feed(*queue, *pcm, synthesize(sound.hz, ms)) : Fed::Unpaced;
        lock.lock();
        if (fed == Fed::Closing) {
            break;
        }
        queue->failed = fed == Fed::Failed;
        if (!queue->sounds.empty() && queue->sounds.front().id == sound.id) {
            queue->sounds.pop_front();
            queue->backlogMs -= sound.ms;
        }
        queue->doneId = sound.id;
        queue->donePaced = fed == Fed::Paced;
        queue->taken();
        queue->changed.notify_all();
    }
    lock.unlock();
    pcm.reset();  // closing may hang in a stalled device too: only this thread waits for it
    lock.lock();
    queue->finished = true;
    queue->changed.notify_all();
}

}  // namespace

ToneOutput::ToneOutput(SleepUntil sleepUntil) : sleepUntil_(std::move(sleepUntil)) {}

ToneOutput::~ToneOutput() {
    if (!thread_.joinable()) {
        return;
    }
    std::unique_lock lock(queue_->mutex);
    queue_->closing = true;
    queue_->changed.notify_all();
    const bool ended =
        queue_->changed.wait_for(lock, CloseWait, [this] { return queue_->finished; });
    lock.unlock();
    if (ended) {
        thread_.join();
    } else {
        thread_.detach();  // it holds its own share of the queue
    }
}

bool ToneOutput::hasDevice() const {
    if (silent_ || queue_ == nullptr) {
        return false;
    }
    const std::lock_guard lock(queue_->mutex);
    return queue_->opened && !queue_->failed;
}

void ToneOutput::tone(int hz, int ms) {
    play(hz, ms);
}

void ToneOutput::rest(int ms) {
    play(0, ms);
}

void ToneOutput::play(int hz, int ms) {
    const Clock::time_point now = Clock::now();
    // A sound that follows another keeps to the game's clock even when the other returned
    // late: a device that falls behind never stretches a tune by more than Grace in all.
    if (std::max(deadline_, returned_) + FollowSlack < now) {
        deadline_ = now;
    }
    deadline_ += milliseconds(std::max(ms, 0));
    if (!sound(hz, std::max(ms, 0))) {
        sleepUntil_(deadline_);
    }
    returned_ = Clock::now();
}

void ToneOutput::startThread() {
    queue_ = std::make_shared<SoundQueue>();
    // The game's signal handlers belong to the game's thread: the sound thread takes no
    // signal but its own faults. A write into a pipe whose reader left then fails instead of
    // ending the game.
    sigset_t blocked;
    sigset_t old;
    sigfillset(&blocked);
    for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS}) {
        sigdelset(&blocked, fault);
    }
    pthread_sigmask(SIG_SETMASK, &blocked, &old);
    try {
        thread_ = std::thread([queue = queue_] { runSoundThread(queue); });
    } catch (const std::system_error&) {
        silent_ = true;
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

bool ToneOutput::sound(int hz, int ms) {
    if (queue_ == nullptr && !silent_) {
        startThread();
    }
    if (silent_) {
        return false;
    }
    {
        const std::lock_guard lock(queue_->mutex);
        if (deviceLost(Clock::now()) || queue_->backlogMs + ms > MaxBacklogMs) {
            return false;
        }
        if (queue_->sounds.empty()) {
            queue_->lastTaken = Clock::now();  // an idle device owes nothing
        }
        queue_->sounds.push_back({++lastId_, hz, ms, deadline_});
        queue_->backlogMs += ms;
    }
    queue_->changed.notify_all();
    return awaitSound(lastId_);
}

bool ToneOutput::deviceLost(Clock::time_point now) {
    if (!queue_->failed && queue_->stalledInAll(now) < StallLimit) {
        return false;
    }
    // Given up for the rest of the run; a device that comes back is not retried.
    silent_ = true;
    queue_->closing = true;
    queue_->sounds.clear();
    queue_->backlogMs = 0;
    queue_->changed.notify_all();
    return true;
}

// Waits until the device has nearly played the sound, until Grace after its deadline at
// most. True when a device that plays in real time has played it: its clock kept the time.
bool ToneOutput::awaitSound(std::uint64_t id) {
    const Clock::time_point limit = deadline_ + Grace;
    std::unique_lock lock(queue_->mutex);
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (queue_->doneId >= id) {
            return queue_->donePaced && !queue_->failed;
        }
        if (deviceLost(now) || now >= limit) {
            return false;
        }
        queue_->changed.wait_until(lock, std::min(limit, now + TerminalSlice));
        lock.unlock();
        sleepUntil_(Clock::now());  // the terminal acts on what came meanwhile
        lock.lock();
    }
}

}  // namespace tarnwick
