#include "audio/sound_thread.h"

namespace tarnwick {

std::thread startSoundThread(std::function<void()> body) {
    return std::thread(std::move(body));
}

}  // namespace tarnwick
