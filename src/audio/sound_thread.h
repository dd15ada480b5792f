// Starts the sound thread (tone_output.h). On Linux the game's signal handlers belong to the
// game's thread: the sound thread takes no signal but its own faults, so that a write into a
// pipe whose reader left fails instead of ending the game. Windows delivers no signals to it.
#pragma once

#include <functional>
#include <thread>

namespace tarnwick {

// Throws std::system_error when no thread can be started.
std::thread startSoundThread(std::function<void()> body);

}  // namespace tarnwick
