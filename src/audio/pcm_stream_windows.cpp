// The stream on Windows: waveOut on the default device, fed from a ring of short buffers.
#include <windows.h>
// after windows.h, whose types it uses
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <vector>

#include "audio/pcm_stream.h"
#include "audio/synthesis.h"

namespace tarnwick {

namespace {

// Six buffers of 10 ms: about the 60 ms of latency the Linux stream asks for.
constexpr long BufferFrames = 10L * SamplesPerMs;
constexpr std::size_t Buffers = 6;
// A device that frees no buffer for this long has failed: the game goes on silently.
constexpr DWORD StallMs = 2000;

}  // namespace

struct PcmStream::Handle {
    HWAVEOUT device = nullptr;
    HANDLE done = nullptr;  // set by the device each time it finishes a buffer
    std::array<WAVEHDR, Buffers> headers{};
    std::array<std::vector<std::int16_t>, Buffers> samples;
    std::size_t next = 0;  // the buffer the next write fills
    long long written = 0;

    ~Handle() {
        if (device != nullptr) {
            waveOutReset(device);
            for (WAVEHDR& header : headers) {
                if ((header.dwFlags & WHDR_PREPARED) != 0) {
                    waveOutUnprepareHeader(device, &header, sizeof header);
                }
            }
            waveOutClose(device);
        }
        if (done != nullptr) {
            CloseHandle(done);
        }
    }

    bool free(const WAVEHDR& header) const {
        return (header.dwFlags & WHDR_PREPARED) == 0 || (header.dwFlags & WHDR_DONE) != 0;
    }
};

std::unique_ptr<PcmStream> PcmStream::openDefault() {
    auto handle = std::make_unique<Handle>();
    handle->done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (handle->done == nullptr) {
        return nullptr;
    }
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = SampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = SampleRate * 2;
    if (waveOutOpen(&handle->device, WAVE_MAPPER, &format,
                    reinterpret_cast<DWORD_PTR>(handle->done), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        handle->device = nullptr;
        return nullptr;
    }
    for (auto& buffer : handle->samples) {
        buffer.resize(BufferFrames);
    }
    return std::unique_ptr<PcmStream>(new PcmStream(std::move(handle)));
}

long PcmStream::write(const std::int16_t* samples, long frames) {
    Handle& h = *handle_;
    WAVEHDR& header = h.headers[h.next];
    while (!h.free(header)) {
        if (WaitForSingleObject(h.done, StallMs) == WAIT_TIMEOUT && !h.free(header)) {
            return -1;
        }
    }
    if ((header.dwFlags & WHDR_PREPARED) != 0) {
        waveOutUnprepareHeader(h.device, &header, sizeof header);
    }
    const long count = std::min(frames, BufferFrames);
    std::copy(samples, samples + count, h.samples[h.next].begin());
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(h.samples[h.next].data());
    header.dwBufferLength = static_cast<DWORD>(count * 2);
    if (waveOutPrepareHeader(h.device, &header, sizeof header) != MMSYSERR_NOERROR ||
        waveOutWrite(h.device, &header, sizeof header) != MMSYSERR_NOERROR) {
        return -1;
    }
    h.next = (h.next + 1) % Buffers;
    h.written += count;
    return count;
}

long PcmStream::queuedFrames() {
    MMTIME position{};
    position.wType = TIME_SAMPLES;
    if (waveOutGetPosition(handle_->device, &position, sizeof position) != MMSYSERR_NOERROR ||
        position.wType != TIME_SAMPLES) {
        return -1;
    }
    // The position counts in 32 bits: the written count is taken in the same range.
    const auto played = static_cast<std::uint32_t>(position.u.sample);
    const auto queued = static_cast<std::uint32_t>(handle_->written) - played;
    return static_cast<long>(std::min<std::uint32_t>(queued, Buffers * BufferFrames));
}

void PcmStream::start() {
    // waveOut plays each buffer as soon as it is written.
}

PcmStream::PcmStream(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
PcmStream::~PcmStream() = default;

}  // namespace tarnwick
